// Data file dialogs.
#include "app/file_dialogs.hpp"

#include <QFileDialog>

namespace sidewalk::ui {

void RememberDir(std::string& lastDir, const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return;
    lastDir = slash == 0 ? std::string("/") : path.substr(0, slash);
}

namespace {
const QStringList kDataFilters = {"Default (*.V41 *.v41)", "Any File (*)"};
} // namespace

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
                {"Saved Report (*.PRN *.prn)", "PDF Document (*.pdf)", "Any File (*)"}, false);
}

bool FileDialogs::Show(QWidget* parent, bool save, std::string& lastDir, std::string& fileName,
                       const QString& title, const QStringList& filters, bool remember) {
    std::optional<QString> chosen;
    if (!prepared_.empty()) {
        chosen = prepared_.front();
        prepared_.pop_front();
    } else {
        QFileDialog dialog(parent, title, QString::fromStdString(lastDir));
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.front());
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(QString());
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().front();
    }
    if (!chosen || chosen->isEmpty()) return false;
    fileName = chosen->toStdString();
    if (remember) RememberDir(lastDir, fileName);
    return true;
}

} // namespace sidewalk::ui
