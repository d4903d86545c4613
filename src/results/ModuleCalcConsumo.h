#pragma once

#include <array>
#include <string>

class CalcContext;

/// The bill of materials of the designed tank: steel weight, concrete volume, formwork and
/// waterproofing areas of the lid, the walls, the bottom and the whole tank, recomputed from the
/// design state and the reinforcement positions into `materialQuantities` whenever asked.
/// No chamfer, hatch opening or corner overlap enters any quantity.
namespace ModuleCalcConsumo {

/// Rows and columns of `materialQuantities`.
enum Member { Lid = 0, Walls = 1, Bottom = 2, Total = 3 };
enum Material { Steel = 0, Concrete = 1, Formwork = 2, Waterproofing = 3 };

/// Steel mass per centimetre of bar (kg/cm) of a gauge diameter (mm); 0 for a diameter that
/// is not one of the twelve gauges.
double SteelMassPerCm(float diameterMm);

/// Weight of position `i` (1 to 20) in kg: mass per cm × bars × bar length × the times the
/// position occurs in the tank (NVZ); 0 when the position is excluded.
double PositionSteelWeight(const CalcContext &ctx, int i);

/// Recomputes the whole table: steel, then concrete, then formwork, then waterproofing.
void ComputeQuantities(CalcContext &ctx);

/// The quantities grid as the "Consumo" tab shows it: 6 rows of 5 cells, two header rows
/// (materials "Ferro", "Concreto", "Formas", "Impermeabilização" and their units "Kg", "m³",
/// "m²", "m²") over the members "Tampa", "Parede", "Fundo", "Total", each value rounded to two
/// decimals and written without trailing zeros. Cell [0][0] and [1][0] are empty.
using QuantitiesTable = std::array<std::array<std::string, 5>, 6>;
QuantitiesTable ShowQuantities(const CalcContext &ctx);

} // namespace ModuleCalcConsumo
