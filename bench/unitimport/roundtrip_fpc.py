#!/usr/bin/env python3
"""Unit -> flowchart -> Pascal, judged by Free Pascal.

Every unit that compiles as it is gets each routine imported and exported
back (build/bench/roundtrip_units), the exported bodies put into the unit in
place of their own bodies, all at once, and the unit compiled with fpc once;
when that fails, the routines are bisected to find the ones at fault. Tokens
are compared after dropping comments and compiler directives, lower-casing,
and ignoring empty statements and begin/end around a single statement.

    roundtrip_fpc.py [--tool PATH] [--readme PATH] [--limit N] [--budget S]
                     [--expect-all] SOURCE...

SOURCE is a unit file or a folder searched for .pas and .pp files. Routines
that lose compiler directives in the import are counted apart from the
three shares. --readme rewrites the "Unit round trip" section there.
--expect-all fails (exit 1) unless every counted routine exports without a
message, compiles and keeps its tokens: the test suite's use. Exit 77 when
fpc is not installed.
"""
import argparse
import collections
import datetime
import difflib
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

FPC = shutil.which("fpc")

# --- Pascal tokens ---------------------------------------------------------

TOKEN = re.compile(
    rb"""(?P<ws>\s+)
      | (?P<comment>//[^\n]*|\{[^}]*\}?|\(\*.*?(?:\*\)|\Z))
      | (?P<string>(?:'[^']*(?:'|\Z)|\#\$?[0-9A-Fa-f]+)+)
      | (?P<word>&?[A-Za-z_][A-Za-z0-9_]*)
      | (?P<number>\$[0-9A-Fa-f]+|%[01]+|&[0-7]+|[0-9]+(?:\.[0-9]+)?(?:[eE][+-]?[0-9]+)?)
      | (?P<sym>:=|<=|>=|<>|\.\.|\*\*|><|<<|>>|\+=|-=|\*=|/=|.)""",
    re.X | re.S)


def lex(src):
    """(kind, lower-case text, start, end) for every token but space and comments."""
    out = []
    for m in TOKEN.finditer(src):
        kind = m.lastgroup
        if kind in ("ws", "comment"):
            continue
        text = m.group().decode("latin-1")
        out.append((kind, text if kind == "string" else text.lower(), m.start(), m.end()))
    return out


OPENS_END = {"begin", "case", "try", "asm"}
ROUTINE_WORDS = {"procedure", "function", "constructor", "destructor", "operator"}
NO_BODY = {"forward", "external", "abstract"}
DIRECTIVES = NO_BODY | {
    "overload", "inline", "cdecl", "stdcall", "register", "pascal", "safecall", "varargs",
    "static", "virtual", "override", "reintroduce", "dynamic", "message", "assembler",
    "public", "export", "nostackframe", "compilerproc", "deprecated", "platform",
    "experimental", "local", "far", "near", "interrupt", "noreturn", "iocheck", "hardfloat",
    "softfloat", "mwpascal", "vectorcall", "winapi", "internproc", "internconst", "rtlproc",
    "saveregisters", "syscall", "unimplemented", "final", "enumerator", "alias",
    "ms_abi_default", "sysv_abi_default", "ms_abi_cdecl", "sysv_abi_cdecl", "weakexternal"}
TYPE_WORDS = {"record", "object", "class", "interface", "dispinterface", "objcclass"}


def matching_end(toks, i):
    """Index of the "end" closing the block opened at toks[i]."""
    depth = 0
    asm = toks[i][1] == "asm"
    for j in range(i, len(toks)):
        t = toks[j][1]
        if toks[j][0] != "word":
            continue
        if t in OPENS_END and not (asm and j > i) or (t == "record" and not asm):
            depth += 1
        elif t == "end":
            depth -= 1
            if depth == 0:
                return j
    return len(toks) - 1


def type_end(toks, i):
    """Index of the "end" closing the type opened at toks[i]; None when it has none."""
    nxt = toks[i + 1][1] if i + 1 < len(toks) else ""
    if toks[i][1] in ("class", "object") and nxt in ("of", ";"):
        return None
    if toks[i][1] == "class" and nxt == "(":
        depth, j = 0, i + 1
        while j < len(toks):
            depth += toks[j][1] == "("
            depth -= toks[j][1] == ")"
            j += 1
            if depth == 0:
                break
        if j < len(toks) and toks[j][1] == ";":
            return None
    depth = 0
    for j in range(i, len(toks)):
        t = toks[j]
        if t[0] != "word":
            continue
        if t[1] in TYPE_WORDS and j > i and toks[j - 1][1] in ("=", ":", "packed"):
            depth += 1
        elif t[1] == "record":
            depth += 1
        elif j == i:
            depth += 1
        elif t[1] == "end":
            depth -= 1
            if depth == 0:
                return j
    return None


def locate_bodies(src):
    """[(name, body start, body end, is_asm)] of the implementation's routines,
    in the order their bodies begin."""
    toks = lex(src)
    i = next((k for k, t in enumerate(toks) if t[1] == "implementation"), len(toks))
    pending, bodies = [], []
    while i < len(toks):
        kind, t, _, _ = toks[i]
        prev = toks[i - 1][1] if i else ""
        if kind == "word" and t in TYPE_WORDS and prev in ("=", ":", "packed"):
            end = type_end(toks, i)
            i = end + 1 if end is not None else i + 1
        elif kind == "word" and t in ROUTINE_WORDS and prev not in ("=", ":", "of"):
            j = i + 1
            if j < len(toks) and toks[j][1] in ("(", ";"):  # a procedural type
                i = j
                continue
            name = []
            while j < len(toks) and toks[j][1] not in ("(", ";", ":"):
                name.append(toks[j][1])
                j += 1
            depth = 0
            while j < len(toks) and not (toks[j][1] == ";" and depth == 0):
                depth += toks[j][1] in "(["
                depth -= toks[j][1] in ")]"
                j += 1
            j += 1
            no_body = False
            while j < len(toks) and (toks[j][1] in DIRECTIVES or toks[j][1] == "["):
                no_body |= toks[j][1] in NO_BODY
                depth = 0
                while j < len(toks) and not (toks[j][1] == ";" and depth == 0):
                    depth += toks[j][1] == "["
                    depth -= toks[j][1] == "]"
                    j += 1
                j += 1
            if not no_body:
                pending.append("".join(name))
            i = j
        elif kind == "word" and t in ("begin", "asm") and pending:
            end = matching_end(toks, i)
            bodies.append((pending.pop(), toks[i][2], toks[end][3], t == "asm"))
            i = end + 1
        elif kind == "word" and t in ("begin", "asm"):
            # A body without a header: conditional code gave its routine two
            # bodies, or it is the unit's initialization.
            i = matching_end(toks, i) + 1
        elif kind == "word" and t in ("initialization", "finalization"):
            break
        else:
            i += 1
    bodies.sort(key=lambda b: b[1])
    return bodies


# --- token comparison --------------------------------------------------------

def drop_empty_statements(words):
    out = []
    for w in words:
        # Not after "then", "else" or "do": there it is the empty statement
        # that a branch or a loop consists of.
        # After a label's ":" it is the empty statement the label marks.
        if w == ";" and (not out or out[-1] in (";", "begin", "try", "finally", "except", "repeat",
                                                  ":")):
            continue
        if w in ("end", "until", "finally", "except", "else") and out and out[-1] == ";":
            out.pop()
        out.append(w)
    return out


def drop_single_compounds(words):
    """begin S end becomes S when S holds no ";" of its own."""
    out, stack = [], []  # stack: (index in out of the opener, semicolons seen, is begin)
    for w in words:
        if w in OPENS_END or w == "repeat":
            stack.append([len(out), 0, w == "begin"])
            out.append(w)
        elif w in ("end", "until") and stack:
            at, semis, is_begin = stack.pop()
            if is_begin and semis == 0:
                del out[at]
            else:
                out.append(w)
        else:
            if w == ";" and stack:
                stack[-1][1] += 1
            out.append(w)
    return out


def canonical(text_bytes):
    words = [t[1] for t in lex(text_bytes)]
    for _ in range(3):
        words = drop_single_compounds(drop_empty_statements(words))
    return drop_empty_statements(words)


# --- compiling ---------------------------------------------------------------

def compile_unit(path, text, work):
    """None when fpc compiles `text` as the unit at `path`; its first error otherwise."""
    unit_dir = os.path.dirname(os.path.abspath(path))
    out_dir = tempfile.mkdtemp(dir=work)
    target = os.path.join(out_dir, os.path.basename(path))
    with open(target, "wb") as f:
        f.write(text)
    r = subprocess.run([FPC, "-ve", "-Fi" + unit_dir, "-Fu" + unit_dir, "-FE" + out_dir,
                        "-FU" + out_dir, target], capture_output=True, timeout=120)
    shutil.rmtree(out_dir, ignore_errors=True)
    if r.returncode == 0:
        return None
    lines = [l for l in r.stdout.decode("latin-1").splitlines() if "Error:" in l or "Fatal:" in l]
    return lines[0] if lines else "fpc exit %d" % r.returncode


def splice(src, bodies, replacements):
    """The unit with the bodies numbered in `replacements` replaced."""
    out = src
    for k in sorted(replacements, key=lambda k: -bodies[k][1]):
        _, start, end, _ = bodies[k]
        out = out[:start] + replacements[k] + out[end:]
    return out


def failing(src, path, bodies, replacements, work, errors):
    """The routines whose exported bodies do not compile, found by bisection."""
    keys = sorted(replacements)
    if not keys:
        return set()
    error = compile_unit(path, splice(src, bodies, {k: replacements[k] for k in keys}), work)
    if error is None:
        return set()
    if len(keys) == 1:
        errors[keys[0]] = error
        return set(keys)
    half = len(keys) // 2
    left = {k: replacements[k] for k in keys[:half]}
    right = {k: replacements[k] for k in keys[half:]}
    return failing(src, path, bodies, left, work, errors) | failing(src, path, bodies, right,
                                                                     work, errors)


def causes_key(a, b, n):
    return "tokens: %s / %s" % (" ".join(a[n:n + 3]), " ".join(b[n:n + 3]))


def error_kind(error):
    m = re.search(r"(Error|Fatal): (.*)", error)
    text = m.group(2) if m else error
    return re.sub(r'"[^"]*"', '"…"', text)[:90]


# --- the run -----------------------------------------------------------------

def units_of(sources):
    for s in sources:
        if os.path.isdir(s):
            for root, _, files in sorted(os.walk(s)):
                for f in sorted(files):
                    if f.endswith((".pas", ".pp")):
                        yield os.path.join(root, f)
        else:
            yield s


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--tool", default=os.path.join(os.path.dirname(__file__),
                                                   "../../build/bench/roundtrip_units"))
    ap.add_argument("--readme")
    ap.add_argument("--limit", type=int, default=0, help="at most this many units")
    ap.add_argument("--budget", type=float, default=0, help="stop taking units after S seconds")
    ap.add_argument("--expect-all", action="store_true")
    ap.add_argument("sources", nargs="+")
    args = ap.parse_args()
    if not FPC:
        print("Free Pascal (fpc) is not installed: nothing to judge the round trip with")
        return 77

    start = time.time()
    c = collections.Counter()
    causes = collections.Counter()
    faults = []
    work = tempfile.mkdtemp(prefix="kb_roundtrip_")
    try:
        for path in units_of(args.sources):
            if args.limit and c["units tried"] >= args.limit:
                break
            if args.budget and time.time() - start > args.budget:
                break
            c["units tried"] += 1
            src = open(path, "rb").read()
            if not re.search(rb"(?i)^\s*unit\b", src, re.M) or compile_unit(path, src, work):
                continue
            c["units"] += 1
            routines = [json.loads(l) for l in subprocess.run(
                [args.tool, path], capture_output=True, check=True).stdout.splitlines()]
            # Conditional compilation can show the import and this script
            # different routines; the routines are paired up by name.
            located = [b for b in locate_bodies(src) if not b[3]]
            wanted = [r["name"].replace(" ", "").lower() for r in routines]
            bodies = {}
            matcher = difflib.SequenceMatcher(None, [b[0] for b in located], wanted, autojunk=False)
            for a, b, n in matcher.get_matching_blocks():
                for i in range(n):
                    bodies[b + i] = located[a + i]
            c["routines whose bodies were not found again"] += len(routines) - len(bodies)
            replacements = {}
            for k, r in enumerate(routines):
                if k not in bodies:
                    continue
                if r["directives"]:
                    c["lost directives"] += 1
                    continue
                c["routines"] += 1
                if r["skipped"] or r["messages"]:
                    causes["export: " + (r["skipped"] or r["messages"][0])] += 1
                    continue
                c["exported"] += 1
                exported = "\n".join(r["pascal"]).encode("latin-1")
                exported = exported[:exported.rstrip().rfind(b";")] if exported.rstrip().endswith(
                    b";") else exported
                replacements[k] = exported
                original = src[bodies[k][1]:bodies[k][2]]
                if canonical(original) == canonical(exported):
                    c["same tokens"] += 1
                else:
                    a, b = canonical(original), canonical(exported)
                    n = next((i for i, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))
                    causes[causes_key(a, b, n)] += 1
                    faults.append("%s: %s (%s)" % (path, r["header"], causes_key(a, b, n)))
            errors = {}
            bad = failing(src, path, bodies, replacements, work, errors)
            c["compiled"] += len(replacements) - len(bad)
            for k in bad:
                causes["fpc: " + error_kind(errors[k])] += 1
                faults.insert(0, "%s: %s (%s)" % (path, routines[k]["header"], errors[k]))
    finally:
        shutil.rmtree(work, ignore_errors=True)

    elapsed = time.time() - start
    share = lambda a, b: 100.0 * a / b if b else 100.0
    figures = collections.OrderedDict([
        ("run time", "%.0f s" % elapsed),
        ("units tried", c["units tried"]),
        ("units that compile as they are", c["units"]),
        ("routines", c["routines"]),
        ("routines that lose compiler directives (apart)", c["lost directives"]),
        ("routines whose bodies this script did not find again (apart)",
         c["routines whose bodies were not found again"]),
        ("exported without a message", "%d (%.2f %%, target 99.5 %%)" % (
            c["exported"], share(c["exported"], c["routines"]))),
        ("of those, compile", "%d (%.2f %%, target 99 %%)" % (
            c["compiled"], share(c["compiled"], c["exported"]))),
        ("of those, same tokens", "%d (%.2f %%, target 97 %%)" % (
            c["same tokens"], share(c["same tokens"], c["exported"]))),
    ])
    for k, v in figures.items():
        print("%s: %s" % (k, v))
    top = causes.most_common(12)
    for cause, n in top:
        print("  %5d  %s" % (n, cause))
    for f in faults:
        print("fault: " + f, file=sys.stderr)
    if args.readme:
        write_readme(args.readme, args.sources, figures, top)
    if args.expect_all:
        ok = c["routines"] > 0 and c["exported"] == c["routines"] == c["compiled"] == c["same tokens"]
        return 0 if ok else 1
    return 0


def write_readme(path, sources, figures, top):
    body = ["## Unit round trip", "",
            "`bench/unitimport/roundtrip_fpc.py` imports each routine of every unit that",
            "compiles as it is, exports it back, puts the exported bodies into the unit in",
            "place of their own (all at once, one fpc compile per unit, bisecting on",
            "failure) and compares tokens (comments and compiler directives dropped, lower",
            "case, empty statements and begin/end around a single statement ignored).",
            "Routines that lose compiler directives are counted apart, as are the few whose",
            "bodies the script's own reading of the unit does not find again (conditional",
            "code). A graph the export cannot fully structure without a message shows up in",
            "the token share. Last run (%s, fpc 3.2.2, on the shared 2-core machine) over %s" % (
                datetime.date.today(), ", ".join("`%s`" % s for s in sources)),
            "(the compiler's own sources are left out: they need the compiler's unit paths):",
            ""]
    body += ["- %s: %s" % (k, v) for k, v in figures.items()]
    body += ["", "Top causes of loss:", ""]
    body += ["- %d: %s" % (n, cause.replace("|", "/")) for cause, n in top]
    text = open(path).read()
    section = "\n".join(body) + "\n\n"
    m = re.search(r"^## Unit round trip\n.*?(?=^## |\Z)", text, flags=re.S | re.M)
    text = text[:m.start()] + section + text[m.end():] if m else text.rstrip("\n") + "\n\n" + section
    open(path, "w").write(text.rstrip("\n") + "\n")


if __name__ == "__main__":
    sys.exit(main())
