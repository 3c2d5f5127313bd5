// Functions, no class: the question asked before an import replaces the table: what it will change,
// with Import and Cancel.
#pragma once

#include <QString>
#include <functional>

class QAbstractItemModel;
class QWidget;

namespace korvane {

// Shows modally over `parent`, titled "Import CSV", the sentence `summary` above the rows of
// `changes` in a scrollable table, with the buttons "Importuj" and "Anuluj". Returns true for
// "Importuj"; "Anuluj", Escape or closing the dialog are false. `changes` is only read.
bool confirmImport(QWidget* parent, const QString& summary, QAbstractItemModel& changes);

// Test seam: when set, confirmImport hands what it would show to `answerer` and returns its
// answer instead of showing the dialog.
using ImportAnswerer =
    std::function<bool(const QString& summary, const QAbstractItemModel& changes)>;
void setImportAnswerer(ImportAnswerer answerer);

} // namespace korvane
