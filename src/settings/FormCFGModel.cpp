#include "settings/FormCFGModel.h"

#include "design/BarGauge.h"
#include "settings/Parameters.h"

FormModel MakeFormCFG()
{
    FormModel m("FormCFG");
    for (const ParameterDef &p : ParameterTable()) {
        const std::string control(p.control);
        const std::string value(p.defaultText);
        if (p.kind == ParameterKind::Text)
            m.addField(control, value);
        else
            m.addField(control, {}, std::stoi(value));
    }
    // Image buttons, state = picture (0 disabled, 1 normal): apply, save, restore defaults.
    m.addField("butarw", {}, 1);
    m.addField("butsav", {}, 1);
    m.addField("butopn", {}, 1);
    return m;
}

std::vector<std::string> FormCFGListItems(const std::string &control)
{
    if (control == "RSVCFGTIPOACO")
        return { "CA-50", "CA-60" };
    if (control == "RSVCFGBITOUNID")
        return { "mm", "pol" };
    if (control == "RSVBITADOTFISS") {
        std::vector<std::string> items;
        for (const BarGauge &g : BarGaugeTable())
            items.push_back(g.labelMm);
        return items;
    }
    return {};
}
