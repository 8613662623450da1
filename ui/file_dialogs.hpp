// The open and save dialogs for data files, and the rule that remembers the folder of the last
// file chosen. Tests can answer a dialog in advance, as with the message boxes.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <string>

class QWidget;

namespace sidewalk::ui {

// LastDir becomes the folder of path, cut at its last "/"; a file directly in "/" gives "/".
// A path without "/" leaves LastDir as it was.
void RememberDir(std::string& lastDir, const std::string& path);

// The name chosen with a filter: a name without an extension gets the data file's ".V41" or the
// PDF filter's ".pdf"; any other name stays as typed.
QString WithFilterSuffix(const QString& path, const QString& filter);

class FileDialogs {
  public:
    // "Open A Data File" in lastDir, the data file filter first; only an existing file. True
    // with fileName set and LastDir remembered when a file was chosen; false on Cancel.
    bool ShowOpenDialog(QWidget* parent, std::string& lastDir, std::string& fileName);

    // The same for saving: asks before overwriting; with the data file filter, a name without an
    // extension gets ".V41".
    bool ShowSaveDialog(QWidget* parent, std::string& lastDir, std::string& fileName);

    // "Save Report <report> As" in lastDir: a saved report (.PRN), a PDF document (a name
    // without an extension gets ".pdf"), or any file; asks before overwriting. True with
    // fileName set when a file was chosen; LastDir stays.
    bool ShowPrintToFileDialog(QWidget* parent, const std::string& lastDir,
                               const std::string& reportFile, std::string& fileName);

    // "Export Sketch" starting in the folder last exported to, at first in folder: a PNG image
    // or an SVG drawing (a name without an extension gets the filter's); asks before
    // overwriting. LastDir stays.
    bool ShowSketchExportDialog(QWidget* parent, const std::string& folder, std::string& fileName);

    // "Open An Alignment": a LandXML file, starting in the folder last chosen from, at first in
    // folder. LastDir stays.
    bool ShowAlignmentOpenDialog(QWidget* parent, const std::string& folder, std::string& fileName);

    // For tests: the next dialogs return these paths (nothing: Cancel) without showing, as if
    // chosen with that filter (empty: the dialog's first).
    void AnswerNext(std::optional<QString> path, QString filter = {}) {
        prepared_.push_back({std::move(path), std::move(filter)});
    }
    std::size_t unusedAnswers() const { return prepared_.size(); }

  private:
    struct Answer {
        std::optional<QString> path;
        QString filter;
    };
    bool Show(QWidget* parent, bool save, std::string& lastDir, std::string& fileName,
              const QString& title, const QStringList& filters, bool remember = true);
    std::deque<Answer> prepared_;
    std::string exportDir_;    // the folder last exported to
    std::string alignmentDir_; // the folder of the alignment file last opened
};

} // namespace sidewalk::ui
