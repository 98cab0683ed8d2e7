// The editor's message boxes: one caption for all of them, Russian texts.
#pragma once

#include <QString>

class QWidget;

namespace kb {

inline constexpr char kMessageCaption[] = "Редактор блок-схем.";

void ShowInformation(QWidget* parent, const QString& text);
void ShowWarning(QWidget* parent, const QString& text);

} // namespace kb
