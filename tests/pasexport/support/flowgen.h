// Generated material for the export's tests and benchmarks: structured
// programs with the flowcharts that draw them and the text the export must
// give back, and random diagrams of every shape for comparisons.
#pragma once

#include "tests/pasexport/support/flowbuilder.h"

#include <random>
#include <string>
#include <vector>

namespace kbtest {

struct TStmt
{
    enum TKind { Simple, If, IfElse, While, Repeat };
    TKind Kind = Simple;
    std::string Text;        // the statement, or the condition
    std::vector<TStmt> Body; // then-branch or loop body
    std::vector<TStmt> Else;
};
using TProgram = std::vector<TStmt>;

TStmt Simple(std::string text);
TStmt If(std::string cond, TProgram then);
TStmt IfElse(std::string cond, TProgram then, TProgram otherwise);
TStmt While(std::string cond, TProgram body);
// Loops while cond holds, which the export writes as "until not(cond)".
TStmt Repeat(TProgram body, std::string cond);

// About `statements` statements in all, nested at most maxDepth deep. A
// repeat body never starts with another repeat: the two loops would share
// their first block, which no rule of the export can take apart.
TProgram RandomProgram(std::mt19937& rng, int statements, int maxDepth);
TProgram StatementChain(int n);

// How branches and joins are drawn: with plain arrows only, or through joint
// points and links that end on links, as the unit import draws them.
enum class TDrawing { Arrows, Joints };

// The flowchart between a "begin" and an "end" ellipse, with a "yes" label at
// every decision's yes-branch.
std::vector<uint8_t> ProgramDiagram(const TProgram& p, TDrawing drawing);
// The editor's lines the export must give for the program.
std::vector<std::string> ExpectedLines(const TProgram& p);

// A diagram of random blocks of every kind and random links (on blocks and
// on links, every style), texts with stray line breaks, "yes" labels.
std::vector<uint8_t> RandomDiagram(std::mt19937& rng, int blocks, int links);
// A flowchart-like graph: statements with one way on, decisions with two
// (sometimes one or three), arrows forward and back, some of them routed
// through joint points or ending on other links.
std::vector<uint8_t> RandomFlowchart(std::mt19937& rng, int blocks);
// The same diagram with its blocks in a random list order.
std::vector<uint8_t> Shuffled(std::mt19937& rng, const std::vector<uint8_t>& diagram);
// A program's flowchart with a few links broken, restyled or rerouted.
std::vector<uint8_t> DamagedProgram(std::mt19937& rng, const TProgram& p, TDrawing drawing);

} // namespace kbtest
