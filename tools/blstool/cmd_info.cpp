// info, resave and check: looking at and rewriting diagram files.
#include "model/cp1251.h"
#include "tools/blstool/commands.h"
#include "tools/blstool/diagramio.h"

#include <cstdio>
#include <string>

namespace blstool {
namespace {

// Parses the arguments of command `name`; false on wrong usage.
bool ParseArgs(TOptionParser& parser, const std::string& name, const TArgs& args,
               size_t positionals)
{
    if (!parser.Parse(args)) {
        Fail(parser.ErrorText());
        return false;
    }
    if (parser.Positionals().size() != positionals) {
        Fail(name + " takes " + std::to_string(positionals) + " file name(s); see blstool --help");
        return false;
    }
    return true;
}

std::string JsonString(const std::string& utf8)
{
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += char(c);
            }
        }
    }
    return out + "\"";
}

void PrintEntry(const kb::TShem& shem, int i, bool json)
{
    const kb::TShemObj& e = *shem.Get(i);
    if (e.IsBlock()) {
        const kb::Block& b = e.block();
        const std::string text = JsonString(kb::Cp1251ToUtf8(b.Text));
        if (json)
            std::printf("{\"index\":%d,\"type\":\"block\",\"kind\":%d,\"text\":%s,\"align\":%d,"
                        "\"filled\":%s,\"dotted\":%s,\"rect\":[%d,%d,%d,%d]}",
                        i, b.Kind, text.c_str(), b.Align, b.Filled ? "true" : "false",
                        b.Dotted ? "true" : "false", b.Left, b.Top, b.Right, b.Bottom);
        else
            std::printf("%d block kind=%d align=%d filled=%d dotted=%d rect=%d,%d,%d,%d text=%s\n",
                        i, b.Kind, b.Align, b.Filled, b.Dotted, b.Left, b.Top, b.Right, b.Bottom,
                        text.c_str());
        return;
    }
    const kb::TLink& l = e.link();
    const int a = shem.IndexOf(l.EndA), b = shem.IndexOf(l.EndB);
    if (json)
        std::printf("{\"index\":%d,\"type\":\"link\",\"style\":%d,\"endA\":%d,\"endB\":%d,"
                    "\"posA\":[%d,%d],\"posB\":[%d,%d]}",
                    i, l.Style, a, b, l.PosA.x, l.PosA.y, l.PosB.x, l.PosB.y);
    else
        std::printf("%d link style=%d endA=%d endB=%d posA=%d,%d posB=%d,%d\n", i, l.Style, a, b,
                    l.PosA.x, l.PosA.y, l.PosB.x, l.PosB.y);
}

void PrintProblems(const kb::TLoadReport& report)
{
    for (const std::string& p : report.Problems)
        std::fprintf(stderr, "blstool: %s\n", p.c_str());
}

} // namespace

int RunInfo(const TArgs& args)
{
    TOptionParser parser({"json"});
    if (!ParseArgs(parser, "info", args, 1)) return Usage;
    kb::TShem shem;
    kb::TLoadReport report;
    if (const int rc = LoadDiagram(parser.Positionals()[0], shem, report); rc != Ok) return rc;
    PrintProblems(report);
    const bool json = parser.IsSet("json");
    if (json) std::printf("{\"entries\":[");
    for (int i = 0; i < shem.Count(); ++i) {
        if (json) std::printf(i ? ",\n" : "\n");
        PrintEntry(shem, i, json);
    }
    if (json) std::printf("\n]}\n");
    return Ok;
}

int RunResave(const TArgs& args)
{
    TOptionParser parser({});
    if (!ParseArgs(parser, "resave", args, 2)) return Usage;
    kb::TShem shem;
    kb::TLoadReport report;
    if (const int rc = LoadDiagram(parser.Positionals()[0], shem, report); rc != Ok) return rc;
    PrintProblems(report);
    return SaveDiagram(parser.Positionals()[1], shem);
}

int RunCheck(const TArgs& args)
{
    TOptionParser parser({});
    if (!ParseArgs(parser, "check", args, 1)) return Usage;
    kb::TShem shem;
    kb::TLoadReport report;
    if (const int rc = LoadDiagram(parser.Positionals()[0], shem, report); rc != Ok) return rc;
    if (!report.Clean()) {
        PrintProblems(report);
        return InvalidInput;
    }
    std::printf("ok %d entries\n", shem.Count());
    return Ok;
}

} // namespace blstool
