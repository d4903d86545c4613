#pragma once

#include "design/BarGauge.h"
#include "design/CrackCheck.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

/// The pending input-limit result: code 0 with an empty message means every field checked so
/// far is within its limits.
struct InputError
{
    std::int32_t code = 0;
    std::string message;

    friend bool operator==(const InputError &, const InputError &) = default;
};

/// The cleared input-limit result.
inline const InputError noError{};

/// Tank kinds and reinforcement layouts that make up calcState.
inline constexpr std::int16_t kElevatedTank = 10;
inline constexpr std::int16_t kBuriedTank = 20;
inline constexpr std::int16_t kHorizontalLayout = 1000;
inline constexpr std::int16_t kVerticalLayout = 2000;
inline constexpr std::int16_t kTwoWayLayout = 3000;

/// The one record of design values shared by the whole program. Lengths in metres, surface
/// loads in kgf/m², unit weights in kgf/m³ (the soil's in tf/m³ as entered), strengths in
/// kgf/cm², angles in whole degrees. Loads follow one sign convention: water acting from inside
/// the tank is positive, every action from outside (lid load, soil, ground water, ground
/// reaction) is negative.
struct DesignState
{
    // Constants and window sizes (twips).
    double pi = 0;
    std::int16_t inputFormWidth = 0;
    std::int16_t inputFormHeight = 0;
    std::int16_t largeFormWidth = 0;
    std::int16_t largeFormHeight = 0;

    /// Tank kind (10 elevated, 20 buried) plus the layout (1000, 2000, 3000) once launched.
    std::int16_t calcState = 0;

    // Geometry, m.
    float widthA = 0;
    float lengthB = 0;
    float heightH = 0;
    float waterLevelHn = 0;

    // Section thicknesses, m: lid, walls, bottom.
    float thicknessEt = 0;
    float thicknessEp = 0;
    float thicknessEf = 0;

    // Buried tank.
    float buryHeightHt = 0; ///< m
    float groundSurchargeQt = 0; ///< kgf/m²
    float waterTableHna = 0; ///< m

    // Lid data and computed loads.
    float lidLiveLoad = 0; ///< kgf/m², stored negative (downward)
    float wallWaterLoad = 0; ///< B, kgf/m²
    float bottomWaterLoad = 0; ///< C, kgf/m²
    float bottomReaction = 0; ///< D, kgf/m²
    float soilThrust = 0; ///< E
    float groundWaterThrust = 0; ///< F
    float upliftPressure = 0; ///< G, kgf/m²
    float hatchLx = 0; ///< m, base point of the hatch along a
    float hatchLy = 0; ///< m, base point of the hatch along b
    float hatchX = 0; ///< m, hatch size along a
    float hatchY = 0; ///< m, hatch size along b

    // Soil.
    std::string soilName;
    float soilUnitWeight = 0; ///< tf/m³, as entered
    std::int16_t soilFrictionAngle = 0; ///< natural slope angle, degrees
    std::int16_t groundSlopeAngle = 0; ///< inclination of the adjacent ground, degrees
    float earthPressureCoef = 0;

    // Calculation parameters, applied from the settings.
    float waterUnitWeight = 0; ///< kgf/m³
    float concreteUnitWeight = 0; ///< kgf/m³
    float minWallThickness = 0; ///< m
    float steelFyk = 0; ///< kgf/cm²
    float concreteFck = 0; ///< kgf/cm²
    float gammaConcrete = 0;
    float gammaSteel = 0;
    float gammaLoads = 0;
    float minCover = 0; ///< cm
    float asMinPercent = 0; ///< %
    float asMinPercent2 = 0; ///< %, always equal to asMinPercent
    float spacingMultiple = 0; ///< cm
    std::int16_t gaugeUnitIsMm = 0; ///< flag: -1 millimetres, 0 inches
    float bestSpacing = 0; ///< cm
    float minSpacing = 0; ///< cm
    float maxSpacing = 0; ///< cm
    std::int16_t crackCheckOn = 0; ///< flag
    float maxCrackWidth = 0; ///< cm
    BarGauge crackRefGauge;

    /// Crack-check results of the last thickness review: walls, then bottom.
    std::array<CrackCheck, 2> crackResults{};

    /// Path of the current project file; empty for a project never saved or opened.
    std::string projectPath;

    /// Result of the last input-limit check.
    InputError inputError;
};

/// The three tests that readers after the input chain make on calcState.
bool IsBuriedCalc(std::int16_t calcState); ///< 1020, 2020 or 3020
bool IsElevatedCalc(std::int16_t calcState); ///< 1010, 2010 or 3010
/// The layout part of calcState: 1000, 2000, 3000, or 0 before a calculation.
std::int16_t LayoutOf(std::int16_t calcState);

/// Removes the layout from calcState (back from the results, recalculation), leaving the kind.
std::int16_t RemoveLayout(std::int16_t calcState);

/// Design sizes of the windows (twips) and of the main window for a screen density given as
/// twips per pixel in x and y.
struct WindowSizes
{
    std::int16_t mainWidth = 0;
    std::int16_t mainHeight = 0;
};
WindowSizes InitWindowSizes(DesignState &state, int twipsPerPixelX, int twipsPerPixelY);

/// Stores the four geometry texts, each read with two decimals.
void CopyGeometry(DesignState &state, std::string_view a, std::string_view b, std::string_view h,
                  std::string_view hn);
/// Stores the hatch and the lid live load (negated) from the lid window's texts.
void CopyLidData(DesignState &state, std::string_view lx, std::string_view ly, std::string_view x,
                 std::string_view y, std::string_view qA);
/// Stores the buried-tank values, already read with two decimals by the caller; the two
/// angles are rounded to whole degrees, halves to even.
void CopyBuriedData(DesignState &state, const std::string &soil, float gamma, float angSoil,
                    float ht, float qt, float hna, float angGround);
/// All three thicknesses back to the minimum from the settings.
void ResetThicknesses(DesignState &state);
