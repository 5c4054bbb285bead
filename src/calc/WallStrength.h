#pragma once
// Strength and stiffness of every wall of the current scenario in the five brace variants: the
// base strength per metre from the wall-element tables with the unknown-bracing rule and the
// caps, the strength classes, the joint, foundation, deterioration and opening reductions, and
// the strengths and stiffnesses along X and Y. Runs after ClassifyWalls (which gives every wall
// its type, runs, joint spec and foundation class) and before the rigidity stage.
#include "calc/WallEvaluation.h"

#include <cstdint>

// Strength of the other seismic elements of walls with openings under the 2012 revision: from
// the length of the opening walls, the only way the program offers.
inline constexpr int32_t OtherElementsByOpeningLength = 0;
inline constexpr int32_t OtherElementsMethod = OtherElementsByOpeningLength;

// Strength class 0..3 of the editions other than 2012 (< 2.5, < 4.0, < 6.0 kN/m, more), and
// 0..4 of the 2012 revision (< 2.0, < 3.0, < 5.0, < 7.0, more); values on a boundary within the
// shared tolerance belong to the upper class.
int32_t StrengthClassOf(double strength);
int32_t StrengthClass2012Of(double strength);

// The bracing row that brace variant k (0..4) uses for the wall: a one-way brace counts in
// compression or in tension by the direction of loading and the order of the wall's ends.
int32_t VariantBraceRow(const WallRecord& wall, int32_t row, int variant);

// Whose figures a base strength takes. Each user has its own: the calculation follows the
// document's method and edition; the plan's wall label and the wall palettes count every method
// but precise method 1 (approximate) as a general one; the printed legend asks the general
// method as the calculation does. Label and legend keep the 2004 figures in every edition.
struct BaseStrengthRule {
    bool general;      // the general method's figures rather than the precise method's
    bool revision2012; // with the general method, those of the 2012 revision

    static BaseStrengthRule OfCalculation() { return {IsGeneralMethod(), IsRevision2012()}; }
    static constexpr BaseStrengthRule OfWallLabel(int32_t method) {
        return {method != MethodPreciseApprox, false};
    }
    static constexpr BaseStrengthRule OfLegend(int32_t method) {
        return {IsGeneralMethod(method), false};
    }
};

// What a metre of wall counts with under the rule, from its elements' strengths added: the
// general method takes 1.96 kN/m (2.0 under the 2012 revision) for a wall whose every element is
// unidentified, and counts no wall above 9.8 kN/m (10.0 under the 2012 revision); the precise
// method counts none above 14.0 kN/m.
double MethodBaseStrength(double elementsStrength, bool allUnknown, BaseStrengthRule rule);

// Chooses the joint reduction tables for the edition and the number of storeys.
void SelectJointReductionTables();

// Joint reduction factor under the 2012 revision: the table rows interpolated by strength.
double JointReduction2012(const double (&table)[4][4][3], double strength, int32_t jointSpec,
                          int32_t foundationClass);

// Base strengths and stiffnesses of one wall in all five variants, its opening factor and its
// strength classes.
void CalcBaseStrengths(int storey, int wall);
// Reductions, reduced and directional strengths of one wall in all five variants.
void CalcWallReductions(int storey, int wall);
// The strength per metre that the plan's wall label shows (planValue).
double PlanLabelStrength(int storey, int wall);
// The unreduced strength per metre of a wall's elements: bracing word (retrofit bit ignored)
// and both face panels from the working tables, with the all-unknown rule and the cap of the
// method. What the wall label shows without reductions and what the wall palettes preview.
// Codes outside the tables add nothing.
double WallElementsStrength(int32_t bracing, int32_t panelL, int32_t panelR);

// The joint tables of the run, then for every wall of every storey of the current scenario in
// turn its base strengths, its reductions and its label strength.
void EvaluateWallStrengths();
