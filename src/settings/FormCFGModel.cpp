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
    return m;
}
