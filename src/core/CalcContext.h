#pragma once

#include "core/DesignState.h"
#include "core/FormModel.h"
#include "core/InputStatusView.h"
#include "core/RegionalSettings.h"
#include "design/RebarPosition.h"
#include "results/ResultsFields.h"

#include <array>
#include <memory>

/// The form models of the windows whose controls the engine reads and writes.
struct FormModels
{
    FormModel FormTipoElev;
    FormModel FormDadosGeometricos;
    FormModel FormPosTampa;
    FormModel FormDadosEnterrada;
    FormModel FormCFG;
    FormModel FormPosicaoAs;
    FormModel FormAltera_e;
    FormModel FormLegenda;

    FormModels();
};

/// What the next calculation's thickness review does with the thicknesses it starts from.
enum class ThicknessReviewMode {
    /// Raises lid, walls and bottom until every section suffices: a calculation the user
    /// starts.
    Search,
    /// Gives back a saved design: the walls and the bottom take the one raise of 0.01 m that
    /// the project file holds back, the lid none, whatever the moments at those thicknesses
    /// ask for. Set while a project that holds its positions is opened.
    KeepSaved,
};

/// Everything the engine works on for one running program (or one test): the design state,
/// the form models, the results fields, and the regional settings every number text uses.
/// The application's AppContext extends it with what touches the platform.
class CalcContext
{
public:
    explicit CalcContext(std::unique_ptr<RegionalSettings> regional);
    virtual ~CalcContext() = default;
    CalcContext(const CalcContext &) = delete;
    CalcContext &operator=(const CalcContext &) = delete;

    DesignState state;
    FormModels forms;
    ResultsFields results;
    /// The twenty reinforcement positions of the current calculation; position n is
    /// rebarPositions[n - 1] (see rebarPosition()).
    std::array<RebarPosition, 20> rebarPositions{};
    /// Bill of materials of the current calculation: rows lid, walls, bottom, total; columns
    /// steel (kg), concrete (m³), formwork (m²), waterproofing (m²). materialQuantities[0][0]
    /// is the lid's steel.
    std::array<std::array<float, 4>, 4> materialQuantities{};
    /// How the thickness review of the next calculation works; Search but while a project is
    /// opened.
    ThicknessReviewMode thicknessReviewMode = ThicknessReviewMode::Search;

    /// Position n, 1 to 20; any other number is a programming error (std::out_of_range).
    RebarPosition &rebarPosition(int n);
    const RebarPosition &rebarPosition(int n) const;

    RegionalSettings &regional() { return *m_regional; }
    const RegionalSettings &regional() const { return *m_regional; }
    void setRegional(std::unique_ptr<RegionalSettings> regional);

    /// Number texts in the current regional settings.
    std::string text(float value) const;
    std::string text(double value) const;

    /// Where input-limit results are shown; null when nothing shows them. Not owned.
    InputStatusView *statusView() const { return m_statusView; }
    void setStatusView(InputStatusView *view) { m_statusView = view; }

private:
    std::unique_ptr<RegionalSettings> m_regional;
    InputStatusView *m_statusView = nullptr;
};

/// Everything a calculation may change, kept to put back when it fails: no raised thickness,
/// half-written field or half-designed position survives a failed calculation as a result.
struct CalcSnapshot
{
    explicit CalcSnapshot(const CalcContext &ctx);
    void restore(CalcContext &ctx) const;

    DesignState state;
    ResultsFields results;
    std::array<RebarPosition, 20> positions;
    std::array<std::array<float, 4>, 4> quantities;
};

/// Runs `step`; when it throws, puts the context back as it was and lets the error go on.
template <class Step>
void RunAtomically(CalcContext &ctx, Step &&step)
{
    const CalcSnapshot before(ctx);
    try {
        step();
    } catch (...) {
        before.restore(ctx);
        throw;
    }
}
