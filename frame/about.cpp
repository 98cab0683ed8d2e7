#include "frame/about.h"

#include "docwin/drawing/icons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#ifndef KB_VERSION
#define KB_VERSION "0.0.0"
#endif

namespace kb {

QString ProgramVersion()
{
    return QStringLiteral(KB_VERSION);
}

TAbout::TAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(tr("About ... "));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(KindIcon(2).pixmap(32, 32));
    picture->setFixedSize(32, 32);

    auto* name = new QLabel(tr("Block-diagram editor"), this);
    name->setObjectName(QStringLiteral("Label1"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);

    m_version = new QLabel(tr("Version:"), this);
    m_version->setObjectName(QStringLiteral("StaticText1"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(m_version);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    ShowVersion(ProgramVersion());
}

void TAbout::ShowVersion(const QString& version)
{
    const QString label = m_version->text();
    const int colon = label.indexOf(QLatin1Char(':'));
    const QString head = colon < 0 ? label : label.left(colon + 1);
    m_version->setText(head + QLatin1Char(' ') + version);
}

void TAbout::showEvent(QShowEvent* event)
{
    ShowVersion(ProgramVersion());
    QDialog::showEvent(event);
}

QString TAbout::VersionText() const
{
    return m_version->text();
}

} // namespace kb
