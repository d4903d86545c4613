#pragma once

#include "core/ErrorPair.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class AppContext;
class ProgramPaths;

/// One soil of the catalogue (table SOLOS), its values as the texts the file holds.
struct SoilRecord
{
    /// The key, given by the database when the soil is added; 0 for a soil not yet stored.
    std::int32_t COD_SOLO = 0;
    std::string NOME;
    /// Apparent unit weight, tf/m³.
    std::string PESP;
    /// Saturated unit weight, tf/m³.
    std::string PESPSAT;
    /// Natural slope angle, degrees.
    std::string ANG;
    /// Admissible stress on the foundation soil, tf/m².
    std::string TMAX;
    std::string SPT;
    std::string OBS;

    friend bool operator==(const SoilRecord &, const SoilRecord &) = default;
};

/// A column of SOLOS other than the key, in the table's order: its name, the control of the
/// catalogue window that shows it, and the record's member.
struct SoilField
{
    const char *column;
    const char *control;
    std::string SoilRecord::*member;
};
inline constexpr std::array<SoilField, 7> kSoilFields{ {
        { "NOME", "Text1", &SoilRecord::NOME },
        { "PESP", "NumberBox1", &SoilRecord::PESP },
        { "PESPSAT", "NumberBox2", &SoilRecord::PESPSAT },
        { "ANG", "NumberBox3", &SoilRecord::ANG },
        { "TMAX", "NumberBox4", &SoilRecord::TMAX },
        { "SPT", "NumberBox5", &SoilRecord::SPT },
        { "OBS", "Text2", &SoilRecord::OBS },
} };

/// An entry of the buried-tank window's soil list: the name shown and the soil's code.
struct SoilListEntry
{
    std::string name;
    std::int32_t code = 0;

    friend bool operator==(const SoilListEntry &, const SoilListEntry &) = default;
};

/// What FillSolo gives the buried-tank window to hold: the entries of `ComboSolo`, in the
/// catalogue's order, and the error that left them empty, if any.
struct SoilList
{
    std::vector<SoilListEntry> entries;
    ErrorPair error;
};

/// The soil catalogue "solos.mdb" in the program's folder, and its use by the buried-tank
/// window. The file is created from the shipped list of soils ("solos.csv") the first time it
/// is needed. Every operation opens the file, does its work and closes it again.
namespace SoilCatalogue {

inline constexpr const char *kFileName = "solos.mdb";
inline constexpr const char *kSeedName = "solos.csv";

/// The catalogue's file in the program's folder.
QString CatalogueFile(const ProgramPaths &paths);

/// Creates the catalogue from the shipped soils when the program's folder has none. The file
/// appears whole or not at all; an existing file is never replaced.
ErrorPair EnsureCatalogue(const AppContext &ctx);

/// Every soil, in the order in which they were added.
ErrorPair ReadSoils(const AppContext &ctx, std::vector<SoilRecord> &soils);

/// Stores a soil: a soil with COD_SOLO 0 is added and gets its code; any other replaces the
/// soil of that code (an error when that soil is no longer there).
ErrorPair SaveSoil(const AppContext &ctx, SoilRecord &soil);

/// Removes the soil of that code (an error when it is no longer there).
ErrorPair DeleteSoil(const AppContext &ctx, std::int32_t code);

/// Refills the buried-tank window's soil list from the catalogue. A catalogue that cannot be
/// read gives an empty list, and its error is shown. The name shown in `ComboSolo` and the
/// soil's values typed in the window are kept: the list position follows the entry of that
/// name, or is cleared when there is none.
SoilList FillSolo(AppContext &ctx);

/// The choice of entry `index` of `list` in `ComboSolo`: shows it, finds the soil by its code
/// and sets `TextAngSolo`, then `TextGama`, to its angle and unit weight as number texts of the
/// regional settings (each change runs the window's checks). A soil no longer in the catalogue
/// leaves both fields as they are. A catalogue that cannot be read, or a soil whose values are
/// not numbers, is an error, shown, and leaves the fields as they are too.
ErrorPair ChooseSoil(AppContext &ctx, const SoilList &list, int index);

/// Shows a file error as the commands do: its description, the critical icon, "Erro " and the
/// number as title. Nothing is shown for success or without a screen.
void ShowError(AppContext &ctx, const ErrorPair &error);

} // namespace SoilCatalogue
