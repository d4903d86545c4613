#pragma once

#include "core/DesignState.h"
#include "core/ErrorPair.h"
#include "design/RebarPosition.h"
#include "storage/ModuleRSVFLS.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CalcContext;

/// What opening a project puts back into the windows and the design state, read from a project
/// file and checked whole before anything of the current project changes.
struct ProjectContent
{
    /// rsvdatent read as non-zero.
    bool buried = false;
    /// Text_a, Text_b, Text_h, Text_hn: the stored numbers as the fields show them (number
    /// texts of the regional settings, up to 15 digits).
    std::array<std::string, 4> geometry;
    /// Text_X, Text_Y, Text_Lx, Text_Ly, TextqA.
    std::array<std::string, 5> lid;
    /// m; the walls and the bottom as stored, one calculation step below the thickness in force.
    float thicknessEt = 0;
    float thicknessEp = 0;
    float thicknessEf = 0;
    /// The thicknesses the project was designed at, read back to the very single: the lid's
    /// text read whole, the walls' and the bottom's with the 0.01 m held back added again in
    /// double precision. The texts of a file carry them exactly (the walls' 15 digits always,
    /// the lid's where it was written with the digits that tell singles apart); an older file
    /// gives the single nearest to its text.
    float designEt = 0;
    float designEp = 0;
    float designEf = 0;

    /// The buried-tank window's values; read for a buried tank only.
    struct Buried
    {
        std::string soil; ///< ComboSolo, as stored
        std::string ht;
        std::string qt;
        bool groundWater = false; ///< rsventCHKHNA read as non-zero
        std::string hna; ///< read only with ground water
        std::string gama;
        std::string angSoil;
        std::string angGround;
    } buriedData;

    /// 1000 for rsvdatASPOS "1", 2000 for "2", 3000 for any other text.
    std::int16_t layout = kTwoWayLayout;
    /// The stored bar arrangements, position 1 first; at most 20.
    std::vector<RebarPosition> positions;
    ModuleRSVFLS::ProjectParameters parameters{};
};

namespace ProjectReader {

/// Reads a project file into `out` and checks it before anything is used:
/// - the file is an SQLite file with the project file's tables and columns;
/// - RSVDAT and RSVCFG have a row, and so has RSVENT for a buried tank;
/// - every value read as a number is a number (13);
/// - the thicknesses lie within the thickness review field's limits and the parameters within
///   the settings window's, list positions within their lists (380);
/// - RSVARM has at most 20 rows (9), each with 16-bit counts and a diameter of the gauge table.
/// The geometry, lid and buried-tank values are not checked against their limits: refilled
/// into their windows, they stop the opening with the windows' own input-limit messages.
///
/// The description of an error names the file and says what is wrong with it.
ErrorPair ReadProjectFile(const CalcContext &ctx, const QString &path, ProjectContent &out);

} // namespace ProjectReader
