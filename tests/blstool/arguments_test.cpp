// blstool's own argument parsing against Qt's, which the picture writer still
// uses and which every command answered with before: the same words for the
// same command lines.
#include "tools/blstool/arguments.h"

#include <QCommandLineParser>
#include <QString>

#include <gtest/gtest.h>

namespace {

using blstool::TArgs;

// What Qt's parser makes of the arguments of a command with the flag --json.
struct TOutcome
{
    bool Ok;
    std::string Error;
    bool Json;
    TArgs Positionals;
};

TOutcome WithQt(const TArgs& args)
{
    QCommandLineParser parser;
    parser.addOption({"json", "Print the entries as JSON."});
    QStringList list{"blstool info"};
    for (const std::string& a : args)
        list << QString::fromStdString(a);
    TOutcome r{parser.parse(list), parser.errorText().toStdString(), false, {}};
    r.Json = r.Ok && parser.isSet("json");
    for (const QString& p : parser.positionalArguments())
        r.Positionals.push_back(p.toStdString());
    return r;
}

TOutcome Ours(const TArgs& args)
{
    blstool::TOptionParser parser({"json"});
    TOutcome r{parser.Parse(args), parser.ErrorText(), false, {}};
    r.Json = r.Ok && parser.IsSet("json");
    r.Positionals = parser.Positionals();
    return r;
}

TEST(BlstoolArguments, OptionsAndMistakesAreReadAsQtReadsThem)
{
    const std::vector<TArgs> cases = {
        {"a.bls"},
        {"--json", "a.bls"},
        {"a.bls", "--json"},
        {"--json=1", "a.bls"},
        {"--bogus", "a.bls"},
        {"--bogus", "--other=2", "a.bls"},
        {"-j", "a.bls"},
        {"-json", "a.bls"},
        {"-x=y"},
        {"-", "--", "--json", "-q"},
        {"---json"},
        {"--", "a"},
        {""},
        {"--=x"},
        {"-ж", "b"},
        {"--json", "--json"},
        {"--bogus", "--json=x"},
        {"--json=x", "--bogus"},
    };
    for (const TArgs& args : cases) {
        const TOutcome qt = WithQt(args), ours = Ours(args);
        std::string shown;
        for (const std::string& a : args)
            shown += "[" + a + "]";
        EXPECT_EQ(ours.Ok, qt.Ok) << shown;
        EXPECT_EQ(ours.Error, qt.Error) << shown;
        EXPECT_EQ(ours.Json, qt.Json) << shown;
        EXPECT_EQ(ours.Positionals, qt.Positionals) << shown;
    }
}

TEST(BlstoolArguments, WholeNumbersAreReadAsQtReadsThem)
{
    for (const char* text : {"1",
                             "42",
                             "+7",
                             "-3",
                             "007",
                             " 12",
                             "12 ",
                             "\t5\n",
                             "",
                             " ",
                             "+",
                             "-",
                             "1x",
                             "0x10",
                             "1.0",
                             "1e3",
                             "2147483647",
                             "2147483648",
                             "-2147483648",
                             "-2147483649",
                             "99999999999999999999",
                             "1 2",
                             "١"}) {
        bool ok = false;
        const int qt = QString::fromUtf8(text).toInt(&ok);
        const std::optional<int> ours = blstool::ParseInt(text);
        EXPECT_EQ(ours.has_value(), ok) << "'" << text << "'";
        if (ok && ours) EXPECT_EQ(*ours, qt) << "'" << text << "'";
    }
}

} // namespace
