#pragma once

#include "ui/main/MainWindowControls.h"

namespace namori {

struct Judgement;
struct SpiritTable;

// The result frame of the main window: the name diagram (characters, stroke counts,
// brackets), the luck table, the four verdict cells and the three faces.
class ResultPanel {
  public:
    explicit ResultPanel(const MainWindowControls& controls);

    // Hides the faces: nothing is rated until the next judgement is shown.
    void HideFaces();

    // Shows judgement: the verdict cells, the diagram, the luck table (phrases and marks from
    // table), and one face in each of the three slots.
    void ShowJudgement(const Judgement& judgement, const SpiritTable& table);

  private:
    void ShowDiagramAndLuckTable(const Judgement& judgement, const SpiritTable& table);

    const MainWindowControls& controls_;
};

}  // namespace namori
