// Data file dialogs.
#include "ui/file_dialogs.hpp"

#include "ui/dialog_frame.hpp"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace sidewalk::ui {

void RememberDir(std::string& lastDir, const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return;
    lastDir = slash == 0 ? std::string("/") : path.substr(0, slash);
}

namespace {
const QStringList kDataFilters = {"Default (*.V41 *.v41)", "Any File (*)"};
const QString kPdfFilter = "PDF Document (*.pdf)";
const QString kPngFilter = "PNG Image (*.png)";
const QString kSvgFilter = "SVG Drawing (*.svg)";
} // namespace

QString WithFilterSuffix(const QString& path, const QString& filter) {
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains('.')) return path;
    if (filter == kDataFilters.front()) return path + ".V41";
    if (filter == kPdfFilter) return path + ".pdf";
    if (filter == kPngFilter) return path + ".png";
    if (filter == kSvgFilter) return path + ".svg";
    return path;
}

bool FileDialogs::ShowOpenDialog(QWidget* parent, std::string& lastDir, std::string& fileName) {
    return Show(parent, false, lastDir, fileName, "Open A Data File", kDataFilters);
}

bool FileDialogs::ShowSaveDialog(QWidget* parent, std::string& lastDir, std::string& fileName) {
    return Show(parent, true, lastDir, fileName, "Open A Data File", kDataFilters);
}

bool FileDialogs::ShowPrintToFileDialog(QWidget* parent, const std::string& lastDir,
                                        const std::string& reportFile, std::string& fileName) {
    std::string folder = lastDir;
    return Show(parent, true, folder, fileName,
                QString::fromStdString("Save Report " + reportFile + " As"),
                {"Saved Report (*.PRN *.prn)", kPdfFilter, "Any File (*)"}, false);
}

bool FileDialogs::ShowSketchExportDialog(QWidget* parent, const std::string& folder,
                                         std::string& fileName) {
    if (exportDir_.empty()) exportDir_ = folder;
    return Show(parent, true, exportDir_, fileName, "Export Sketch", {kPngFilter, kSvgFilter});
}

bool FileDialogs::ShowAlignmentOpenDialog(QWidget* parent, const std::string& folder,
                                          std::string& fileName) {
    if (alignmentDir_.empty()) alignmentDir_ = folder;
    return Show(parent, false, alignmentDir_, fileName, "Open An Alignment",
                {"LandXML Alignment (*.xml *.XML)", "Any File (*)"});
}

bool FileDialogs::Show(QWidget* parent, bool save, std::string& lastDir, std::string& fileName,
                       const QString& title, const QStringList& filters, bool remember) {
    std::optional<QString> chosen;
    QString filter = filters.front();
    if (!prepared_.empty()) {
        chosen = prepared_.front().path;
        if (!prepared_.front().filter.isEmpty()) filter = prepared_.front().filter;
        prepared_.pop_front();
    } else {
        QFileDialog dialog(parent, title);
        SetDialogFrame(dialog, true); // a file dialog is worth making larger
        // A folder that does not exist would end up as the file name: start at home then.
        const QString folder = QString::fromStdString(lastDir);
        dialog.setDirectory(QFileInfo(folder).isDir() ? folder : QDir::homePath());
        dialog.selectFile(QString()); // the name box starts empty
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.front());
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // The suffix the chosen filter adds goes in before the dialog asks about overwriting.
        dialog.setDefaultSuffix(save ? WithFilterSuffix("x", filters.front()).mid(2) : QString());
        if (save)
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                             [&dialog](const QString& f) {
                                 dialog.setDefaultSuffix(WithFilterSuffix("x", f).mid(2));
                             });
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            chosen = dialog.selectedFiles().front();
            filter = dialog.selectedNameFilter();
        }
    }
    if (!chosen || chosen->isEmpty()) return false;
    if (save) chosen = WithFilterSuffix(*chosen, filter);
    fileName = chosen->toStdString();
    if (remember) RememberDir(lastDir, fileName);
    return true;
}

} // namespace sidewalk::ui
