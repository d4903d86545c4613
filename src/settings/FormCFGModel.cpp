#include "settings/FormCFGModel.h"

FormModel MakeFormCFG()
{
    FormModel m("FormCFG");
    for (const char *key : { "RSVCFGESPMULT", "RSVCFGESPMAXAS", "RSVCFGESPMINAS", "RSVMELESPAS",
                             "RSVESPMINPAR", "RSVCFGSECASMIN", "RSVPORCTAMASEST", "RSVCHAMFPAR",
                             "RSVCHAMFFUND", "RSVCFGACOMIN", "RSVABMAXFISS", "RSVCFGCONCFCK",
                             "RSVCFGCONCPESESP", "RSVCFGMAJCARGAS", "RSVCFGCONCMIN", "RSVCFGCOBMIN",
                             "RSVH20PESESP" })
        m.addField(key);
    m.addField("RSVCFGTIPOACO", {}, -1);
    m.addField("RSVCFGBITOUNID", {}, -1);
    m.addField("RSVBITADOTFISS", {}, -1);
    m.addField("RSVFissOK", {}, 0);
    m.addField("RSVFissNOK", {}, 0);
    // Image buttons, state = picture (0 disabled, 1 normal): apply, save, restore defaults.
    m.addField("butarw", {}, 1);
    m.addField("butsav", {}, 1);
    m.addField("butopn", {}, 1);
    return m;
}
