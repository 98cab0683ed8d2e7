// blstool render: the diagram as a picture file, drawn as for print. The
// only command that needs Qt, so it is a program of its own that blstool runs.
#include "docwin/drawing/atomicdevice.h"
#include "docwin/drawing/pictureexport.h"
#include "tools/blstool/commands.h"
#include "tools/blstool/diagramio.h"

#include <QGuiApplication>

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>
#include <new>

namespace blstool {
namespace {

void Fail(const QString& message)
{
    blstool::Fail(message.toLocal8Bit().toStdString());
}

constexpr int kDefaultScale = 2;

bool KnownPictureType(const QString& path)
{
    const QString type = QFileInfo(path).suffix().toLower();
    return type == "png" || type == "bmp" || type == "svg" || type == "pdf";
}

// The --scale value, or 0 when it is not a whole number in range.
int ScaleOption(const QCommandLineParser& parser)
{
    if (!parser.isSet("scale")) return kDefaultScale;
    bool ok = false;
    const int scale = parser.value("scale").toInt(&ok);
    return ok && scale >= 1 && scale <= kb::kMaxPictureScale ? scale : 0;
}

int RunRender(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption({{"o", "output"}, "The picture file to write.", "OUT"});
    parser.addOption({"scale", "Pixels per diagram unit (default 2).", "N"});
    if (!parser.parse(QStringList{"blstool render"} + args)) {
        Fail(parser.errorText());
        return Usage;
    }
    if (parser.positionalArguments().size() != 1 || !parser.isSet("output")) {
        Fail(QStringLiteral("usage: blstool render FILE.bls -o OUT [--scale N]"));
        return Usage;
    }
    const QString out = parser.value("output");
    if (!KnownPictureType(out)) {
        Fail(QStringLiteral("%1: the picture name must end in .png, .bmp, .svg or .pdf").arg(out));
        return Usage;
    }
    const int scale = ScaleOption(parser);
    if (scale == 0) {
        Fail(QStringLiteral("--scale takes a whole number from 1 to %1").arg(kb::kMaxPictureScale));
        return Usage;
    }
    kb::TShem shem;
    kb::TLoadReport report;
    if (const int rc =
            LoadDiagram(kb::NativeFileName(parser.positionalArguments()[0]), shem, report);
        rc != Ok)
        return rc;
    for (const std::string& p : report.Problems)
        std::fprintf(stderr, "blstool: %s\n", p.c_str());
    QString error;
    if (!kb::ExportPicture(shem, out, scale, &error)) {
        Fail(error);
        return InvalidInput;
    }
    return Ok;
}

} // namespace
} // namespace blstool

// Text is laid out with the GUI font system; the offscreen platform spares
// it a display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName("blstool");
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    try {
        return blstool::RunRender(args);
    } catch (const std::bad_alloc&) {
        std::fputs("blstool: not enough memory to finish the command\n", stderr);
        return blstool::InvalidInput;
    }
}
