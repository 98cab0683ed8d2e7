// The About box: the program's name and the version it was built as.
#pragma once

#include <QDialog>

class QLabel;

namespace kb {

class TAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TAbout(QWidget* parent = nullptr);

    // The version line's label keeps its text up to its first ":" and gets
    // the version appended, so a translated label still shows the number.
    void ShowVersion(const QString& version);
    QString VersionText() const;

protected:
    // Shown after the interface texts were translated, so it re-appends then.
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_version = nullptr;
};

// The version of this build, e.g. "0.1.0".
QString ProgramVersion();

} // namespace kb
