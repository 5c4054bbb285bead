#pragma once
// Preparation of every wall of the current scenario for its strength: the grid-node map with
// the columns and the floors above, the bracing end codes of the column-joint check, the storey
// outline and the exterior/partition classification, the lengths and opening runs, the joint
// spec from the end columns and the foundation class. Writes the words `type`,
// `jointSpec` and `foundationClass` of every wall of the current scenario back into the model.
#include "calc/WallEvaluation.h"
#include "calc/WallLines.h"

#include <cstdint>

// How a build of a storey's node map and end codes starts.
enum class NodeMapStart {
    // The method's form: both tables of the storey cleared whole (200 KB).
    ClearedWhole,
    // Only the box of nodes that the storey's last build marked is cleared: as nothing else
    // writes the two tables but the corner marks on column nodes, it leaves them as if cleared
    // whole, and a small house costs what it holds. A randomised test holds it to the method's
    // form.
    LastBoxCleared,
};
// Node map and brace end codes of one storey.
void BuildNodeMap(int storey, NodeMapStart start = NodeMapStart::LastBoxCleared);
// Exterior/partition classification of one storey's walls against its outline.
void ClassifyExteriorWalls(int storey);
// Lengths, end columns and opening runs of the walls of the index's storey.
void MeasureWallRuns(const StoreyWallIndex& index);
// Joint spec of one wall of the index's storey (0 告示, 1 ＶＰ, 2 釘通, 3 釘打), written back
// into the wall.
int32_t JudgeJointSpec(const StoreyWallIndex& index, int wall);
// Foundation class of one wall (0..2), written back into the wall.
int32_t JudgeFoundationClass(int storey, int wall);

// All of the above for every storey of the current scenario, in the order of the evaluation,
// on the storeys' result rows cleared first: node maps, outlines with classification, lengths
// and runs, then joints and foundations.
void ClassifyWalls();
