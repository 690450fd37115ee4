#pragma once

#include "ui/main/MainWindowControls.h"

namespace namori {

struct JudgementStore;

// The result frame of the main window: the name diagram (characters, stroke counts,
// brackets), the luck table, the four verdict cells and the three faces.
class ResultPanel {
  public:
    explicit ResultPanel(const MainWindowControls& controls);

    // Hides the faces: nothing is rated until the next judgement is shown.
    void HideFaces();

    // Shows the judgement in the store: the verdict cells, the diagram, the luck table, and one
    // face in each of the three slots.
    void ShowJudgement(const JudgementStore& store);

  private:
    void ShowDiagramAndLuckTable(const JudgementStore& store);

    const MainWindowControls& controls_;
};

}  // namespace namori
