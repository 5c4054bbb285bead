#pragma once
// A small builder for the rigidity tests: a fresh document on a 1 m grid (axis i at i metres),
// walls whose directional strengths and stiffnesses are set directly in their wall results (as
// the wall strength stage would leave them), and the storey inputs of the required strength
// (centre of gravity, Qr, quarter lines) set by hand, so that every value can be worked out on
// paper.
#include "calc/RequiredStrength.h"
#include "calc/Rigidity.h"
#include "calc/WallEvaluation.h"
#include "calc/WallLines.h"
#include "support/RequiredStrengthFixtures.h"

#include <cstring>

namespace rigfix {

// Everything the rigidity stage reads or writes, back to zero; one storey, scenario 0.
inline void ResetAll() {
    reqfix::ResetHouse(1.0);
    std::memset(&WallEval, 0, sizeof(WallEval));
    std::memset(&RigidityRes, 0, sizeof(RigidityRes));
    std::memset(&ReqResult, 0, sizeof(ReqResult));
}

// The storey frame's origin: X from axis `x0` to the right, Y from axis `y0` upward.
inline void SetOrigin(int x0, int y0) {
    Grid.FirstMainAxisX = x0;
    Grid.FirstMainAxisY = y0;
}

// Centre of gravity (storey frame, m) and required strength Qr (kN) of a storey.
inline void SetStorey(int storey, double gx, double gy, double qr, int scenario = 0) {
    ReqResult.GravityCentreX[scenario][storey] = gx;
    ReqResult.GravityCentreY[scenario][storey] = gy;
    ReqResult.RequiredStrength[scenario][storey] = qr;
}

// The storey extent in plan metres (Y downward), from which the quarter lines follow.
inline void SetExtent(int storey, double xMin, double yMin, double xMax, double yMax,
                      int scenario = 0) {
    ReqResult.StoreyExtentFlag[scenario][storey] = 1;
    double* q = ReqResult.QuarterLines[scenario][storey];
    const double dx = xMax - xMin, dy = yMax - yMin;
    q[LineYMin] = yMin;
    q[LineYMinQuarter] = yMin + dy / 4;
    q[LineYMaxQuarter] = yMax - dy / 4;
    q[LineYMax] = yMax;
    q[LineXMin] = xMin;
    q[LineXMinQuarter] = xMin + dx / 4;
    q[LineXMaxQuarter] = xMax - dx / 4;
    q[LineXMax] = xMax;
}

// A wall with the same directional stiffness in all five brace variants and a strength of
// `strengthPerStiffness` times its stiffness. Returns the wall's index.
inline int AddWall(int storey, int x1, int y1, int x2, int y2, double stiffX, double stiffY,
                   double strengthPerStiffness = 2.0, int scenario = 0) {
    int32_t& n = Doc.WallCount[scenario][storey];
    const int w = n++;
    WallRecord rec{};
    rec.x1 = x1, rec.y1 = y1, rec.x2 = x2, rec.y2 = y2;
    rec.deterioration = 2;
    Doc.Walls[scenario][storey][w] = rec;
    for (int k = 0; k < WallResultBlocks; ++k) {
        WallResultRecord& b = WallEval.WallResult[scenario][storey][w][k];
        b.stiffnessX = stiffX;
        b.stiffnessY = stiffY;
        b.strengthX = strengthPerStiffness * stiffX;
        b.strengthY = strengthPerStiffness * stiffY;
    }
    return w;
}

// Gives brace variant k of a wall its own stiffnesses (strength twice the stiffness).
inline void SetVariant(int storey, int wall, int k, double stiffX, double stiffY,
                       int scenario = 0) {
    WallResultRecord& b = WallEval.WallResult[scenario][storey][wall][k];
    b.stiffnessX = stiffX;
    b.stiffnessY = stiffY;
    b.strengthX = 2 * stiffX;
    b.strengthY = 2 * stiffY;
}

// The wall lists the quarter strips read, then the whole rigidity stage.
inline void RunRigidity() {
    BuildWallLineLists();
    CalcRigidity();
}

} // namespace rigfix
