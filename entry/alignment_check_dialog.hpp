// The Check Against Alignment window: a LandXML file chosen, an alignment for the blocks (all,
// or those selected), each block's verdict in a table that can be copied, and Apply, which sets
// the curve data of the blocks that lie on one element and differ.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "alignment/alignment_check.hpp"
#include "ui/shell.hpp"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace sidewalk::ui {

class AlignmentCheckDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AlignmentCheckDialog(Services& services, QWidget* parent = nullptr);

    // Reads the file and checks every block against its first alignment; false, with the
    // problem told, when it cannot be used.
    bool OpenFile(const std::string& path);
    // Sets the curve data of each block that differs and lies on one element, as one step.
    void Apply();
    // The table as text lines, as the command prints it.
    QString TableText() const;

  private:
    void ChooseFile();
    void UseAlignment(int index); // for the selected blocks, or all when none is selected
    void Refresh();               // the blocks as the report takes the job now, then Recheck
    void Recheck();               // each block against its alignment, into the table
    Services& services_;
    std::optional<LandXmlFile> file_;
    std::vector<CodedBlock> blocks_;
    bool metric_ = false;          // the job's stations and radii are metres
    std::vector<int> alignmentOf_; // each block's alignment, an index into the file's
    std::vector<BlockCheck> checks_;
    std::string folder_; // where the file dialog opens
    QLineEdit* fileName_;
    QComboBox* alignments_;
    QTableWidget* table_;
    QLabel* summary_;
    QPushButton* apply_;
    QPushButton* copy_;
};

} // namespace sidewalk::ui
