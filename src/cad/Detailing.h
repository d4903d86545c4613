#pragma once

#include "cad/ExchangeFiles.h"
#include "draw/Scene.h"

#include <array>
#include <string>
#include <vector>

/// The detailing drawings of a tank as scenes, built from the exchange files alone: the forms
/// (plans of the lid and the bottom, sections A-A and B-B), their dimensions, the reinforcement
/// with its labels, the bar schedule, and the sheet with its title block.
///
/// Units: the views are drawn in centimetres of the tank; the schedule and the sheet in
/// millimetres of paper. A drawing's own coordinates are millimetres of paper: a view is placed
/// at 10 / scale (1 cm of tank is 10/50 mm of paper at 1 : 50), so that texts, ticks and dots,
/// which the settings give on paper, are sized once for the view's scale.
namespace Detailing {

/// How much of the tank the views show; each level adds to the one before.
enum class Content { Forms = 0, Dimensions = 1, Reinforcement = 2 };

/// Group names of the drawing's elements.
inline constexpr const char *kLidPlan = "PLANTA DA TAMPA";
inline constexpr const char *kBottomPlan = "PLANTA DO FUNDO";
inline constexpr const char *kSectionA = "CORTE A-A";
inline constexpr const char *kSectionB = "CORTE B-B";
inline constexpr const char *kSchedule = "RELAÇÃO DO AÇO";
inline constexpr const char *kSheet = "FORMATO";

struct Options
{
    double scale = 50; ///< denominator of the views' scale
    bool decimalComma = true; ///< the schedule's numbers with "," (Brazil) or "."
    std::string date; ///< the title block's date, as shown ("11/12/2026")
};

/// An empty drawing with the ten layers in their colours and the five text styles.
draw::Scene NewDrawing(const ExchangeFiles::DrawingSettings &settings);

/// The label of a position as detailers write it: "N1 13 ø6.3 c/20 C=293".
std::string PositionLabel(const ExchangeFiles::PositionBars &p);

/// Adds (or rebuilds) the four views, placed at the options' scale in free space of the
/// drawing (inside the sheet when there is one).
void AddViews(draw::Scene &scene, const ExchangeFiles::DetailingData &data,
              const ExchangeFiles::DrawingSettings &settings, Content content,
              const Options &options);

/// Rebuilds one view (by its group name) at a scale, keeping where its lower-left corner lies
/// on the drawing.
void RebuildView(draw::Scene &scene, const std::string &view,
                 const ExchangeFiles::DetailingData &data,
                 const ExchangeFiles::DrawingSettings &settings, Content content, double scale);

/// True for the names of the four views.
bool IsView(const std::string &group);

/// One row of "RELAÇÃO DO AÇO".
struct ScheduleRow
{
    std::string N;
    std::string gauge;
    int quantity = 0; ///< bars × occurrences in the tank
    double unitLength = 0; ///< cm
    double totalLength = 0; ///< cm, quantity × unit length
};

/// One row of "RESUMO DO AÇO": a steel and a gauge.
struct SummaryRow
{
    std::string steel;
    std::string gauge;
    float diameterMm = 0;
    double lengthM = 0; ///< metres weighed
    double weightKg = 0;
};

struct Schedule
{
    std::vector<ScheduleRow> rows;
    std::vector<SummaryRow> summary;
    double totalWeightKg = 0;
    bool inches = false; ///< gauges labelled in inches
};

/// The schedule of the included positions. Weights follow the material quantities: mass per
/// centimetre × bars × bar length of each position, so that the drawing's total is the steel
/// total of the quantities.
Schedule BuildSchedule(const ExchangeFiles::DetailingData &data);

/// Adds (or rebuilds) the schedule element, placed in free space.
void AddSchedule(draw::Scene &scene, const ExchangeFiles::DetailingData &data,
                 const ExchangeFiles::DrawingSettings &settings, const Options &options);

/// The sheet's name: "A4" to "A0" for the standard sizes (either way round), else
/// "W × H mm".
std::string SheetName(const ExchangeFiles::SheetFormat &sheet);

/// Adds (or replaces) the sheet at the drawing's origin: the paper's edge, the border and the
/// title block with the program's title, the legend's project, client, address and
/// responsible, the date, the scale and the sheet's size.
void AddSheet(draw::Scene &scene, const ExchangeFiles::SheetFormat &sheet,
              const std::array<std::string, 5> &legend,
              const ExchangeFiles::DrawingSettings &settings, const Options &options);

/// Where an element of this size (paper mm) fits without touching the others: inside the
/// sheet's drawing area when there is a sheet, else beside what is drawn. The lower-left
/// corner of the free place.
draw::Point FreePlace(const draw::Scene &scene, const std::string &exceptGroup, double width,
                      double height);

/// The elements (views, the schedule) that lie outside the sheet's drawing area, in drawing
/// order: those that found no room at the chosen sheet and scale and were put beside it.
std::vector<std::string> ElementsOffSheet(const draw::Scene &scene);

/// Places a group at a new scale (views) in free space; `scale` is the scale denominator, or
/// 0 for the schedule, which is drawn on paper.
void PlaceGroup(draw::Scene &scene, const std::string &group, double scale);

/// Adds the reinforcement editor's position request as a labelled position in a view: a bar
/// across the view (longitudinal) or a row of dots (transverse) with its label.
void AddPositionRequest(draw::Scene &scene, const std::string &view,
                        const ExchangeFiles::PositionRequest &request,
                        const ExchangeFiles::DrawingSettings &settings, double scale);

/// The whole detailing of a project: views with dimensions and reinforcement, the schedule and
/// the sheet with its title block.
draw::Scene WholeDetailing(const ExchangeFiles::DetailingData &data,
                           const ExchangeFiles::DrawingSettings &settings,
                           const ExchangeFiles::SheetFormat &sheet,
                           const std::array<std::string, 5> &legend, const Options &options);

} // namespace Detailing
