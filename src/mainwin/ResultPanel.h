#pragma once
// The result panel at the foot of the main window's side panel: the floor-diaphragm check, the
// column-joint status, the scores and eccentricities of the three storeys and the ratios of the
// storey being edited. The diagnosis hands back what the labels show (texts and colours); the
// main window copies it in with ShowResultPanel and ShowNValueStatus.
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string_view>

class QLabel;

class ResultPanelBox final : public QWidget {
public:
    explicit ResultPanelBox(QWidget* parent = nullptr);

    // "床耐力：" and the failing directions of the 1F, 2F and 3F.
    QLabel* Lqflag = nullptr;
    QLabel* Lqflag2 = nullptr;
    QLabel* Lqflag3 = nullptr;
    QLabel* Lqflag4 = nullptr;
    // "柱軸力："
    QLabel* Lnflag = nullptr;
    // Rows of the 1F, 2F and 3F: storey caption, "評点" with the scores X and Y, and the
    // eccentricity caption ("偏心率" or "４分割法") with the ratios X and Y.
    QLabel* Label3 = nullptr; // "１階"
    QLabel* Label5 = nullptr; // "評点"
    QLabel* Label4 = nullptr;
    QLabel* L1hyox = nullptr;
    QLabel* L1hyoy = nullptr;
    QLabel* L1henx = nullptr;
    QLabel* L1heny = nullptr;
    QLabel* Label11 = nullptr; // "２階"
    QLabel* Label13 = nullptr; // "評点"
    QLabel* Label12 = nullptr;
    QLabel* L2hyox = nullptr;
    QLabel* L2hyoy = nullptr;
    QLabel* L2henx = nullptr;
    QLabel* L2heny = nullptr;
    QLabel* Label18 = nullptr; // "３階"
    QLabel* Label20 = nullptr; // "評点"
    QLabel* Label19 = nullptr;
    QLabel* L3hyox = nullptr;
    QLabel* L3hyoy = nullptr;
    QLabel* L3henx = nullptr;
    QLabel* L3heny = nullptr;
    // Ratios of the storey being edited.
    QLabel* Lkabecho = nullptr;
    QLabel* Lhashiracho = nullptr;
    QLabel* Lkabewariai = nullptr;

    // The labels of one storey's row (0..2), in the order caption, "評点", eccentricity
    // caption, score X, score Y, eccentricity X, eccentricity Y.
    static constexpr int RowLabelCount = 7;
    void rowLabels(int storey, QLabel* (&labels)[RowLabelCount]) const;
    // Enables or disables one storey's row.
    void setRowEnabled(int storey, bool enabled);
};

// Shows CP932 text in a label with COLORREF (0x00BBGGRR) font and background colours (no
// background: the label's own).
void ShowPanelText(QLabel* label, std::string_view cp932, std::uint32_t font,
                   std::optional<std::uint32_t> background = std::nullopt);
