#include "settings/ApplySettings.h"

#include "core/CalcContext.h"
#include "core/CalcError.h"
#include "core/Numbers.h"
#include "design/BarGauge.h"
#include "settings/FormCFGModel.h"
#include "settings/ParameterFile.h"

#include <cmath>

namespace {

double read(const FormModel &form, const char *control, const char *fmt)
{
    return TextToNumber(form.text(control), fmt);
}

/// The selected position of a list, checked against its items.
int listPosition(const FormModel &form, const char *control)
{
    const int position = form.state(control);
    const auto count = static_cast<int>(FormCFGListItems(control).size());
    if (position < 0 || position >= count) {
        const ParameterDef *p = FindParameter(control);
        throw CalcError("A opção escolhida em \"" + std::string(p ? p->caption : control)
                        + "\" não é válida. Escolha um item da lista em Configurações de "
                          "Cálculo.");
    }
    return position;
}

} // namespace

void ApplySettings(CalcContext &ctx)
{
    const FormModel &form = ctx.forms.FormCFG;
    // Everything is worked out first and stored at the end, so a bad value leaves the design
    // state with the set of parameters it had.
    DesignState s = ctx.state;

    s.pi = 4.0 * std::atan(1.0);

    // tf/m³ on the screen, kgf/m³ in the design.
    s.waterUnitWeight = ToSingle(read(form, "RSVH20PESESP", "0.0") * 1000);
    s.concreteUnitWeight = ToSingle(read(form, "RSVCFGCONCPESESP", "0.00") * 1000);

    // cm on the screen, m in the design.
    s.minWallThickness = ToSingle(read(form, "RSVESPMINPAR", "0") / 100);

    // kgf/cm²: the first list entry is CA-50.
    s.steelFyk = listPosition(form, "RSVCFGTIPOACO") == 0 ? 5000.0f : 6000.0f;

    s.concreteFck = ToSingle(read(form, "RSVCFGCONCFCK", "0"));
    s.gammaConcrete = ToSingle(read(form, "RSVCFGCONCMIN", "0.00"));
    s.gammaSteel = ToSingle(read(form, "RSVCFGACOMIN", "0.00"));
    s.gammaLoads = ToSingle(read(form, "RSVCFGMAJCARGAS", "0.00"));
    s.minCover = ToSingle(read(form, "RSVCFGCOBMIN", "0.0"));
    s.asMinPercent = ToSingle(read(form, "RSVCFGSECASMIN", "0.00"));
    s.asMinPercent2 = s.asMinPercent;

    s.bestSpacing = ToSingle(read(form, "RSVMELESPAS", "0.0"));
    s.spacingMultiple = ToSingle(read(form, "RSVCFGESPMULT", "0.0"));
    s.gaugeUnitIsMm = listPosition(form, "RSVCFGBITOUNID") == 0 ? -1 : 0;
    s.minSpacing = ToSingle(read(form, "RSVCFGESPMINAS", "0.0"));
    s.maxSpacing = ToSingle(read(form, "RSVCFGESPMAXAS", "0.0"));

    s.crackCheckOn = form.state("RSVFissOK") != 0 ? -1 : 0;
    // mm on the screen, cm in the design.
    s.maxCrackWidth = ToSingle(read(form, "RSVABMAXFISS", "0.00") / 10);

    // The list holds the gauge rows in order, so position + 1 is the row.
    s.crackRefGauge = GaugeByIndex(listPosition(form, "RSVBITADOTFISS") + 1);

    ctx.state = std::move(s);
}

ParametersStatus LoadAndApplySettings(CalcContext &ctx, const ParameterFile &file)
{
    ParametersStatus status = LoadParameters(ctx, file);
    try {
        ApplySettings(ctx);
    } catch (const CalcError &e) {
        // The file's values are checked as they are loaded, so this is a working copy that
        // was changed behind the loader's back; the factory values are still a complete set.
        LoadDefaultParametersIntoForm(ctx);
        ApplySettings(ctx);
        if (status.error.ok())
            status.error = { 13, std::string(e.what()) };
        status.error.description +=
                " Os parâmetros de cálculo padrão estão em uso somente nesta sessão.";
    }
    return status;
}
