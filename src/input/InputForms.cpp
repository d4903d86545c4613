#include "input/InputForms.h"

namespace {

/// The forward (butarw_2) and back (butarw_3) image buttons; their state is the picture shown:
/// 0 disabled, 1 normal, 2 and 3 the hover pictures.
void addImageButtons(FormModel &m, bool withBack)
{
    m.addField("butarw_2", {}, 1);
    if (withBack)
        m.addField("butarw_3", {}, 1);
}

} // namespace

FormModel MakeFormTipoElev()
{
    FormModel m("FormTipoElev");
    m.addField("OptionElevada", {}, 0);
    m.addField("OptionEnterrada", {}, 1);
    addImageButtons(m, false);
    return m;
}

FormModel MakeFormDadosGeometricos()
{
    FormModel m("FormDadosGeometricos");
    m.addField("Text_a", "2.79");
    m.addField("Text_b", "2.56");
    m.addField("Text_h", "2.61");
    m.addField("Text_hn", "2.41");
    addImageButtons(m, true);
    return m;
}

FormModel MakeFormPosTampa()
{
    FormModel m("FormPosTampa");
    m.addField("Text_X", "1.00");
    m.addField("Text_Y", "1.00");
    m.addField("Text_Lx", "1.00");
    m.addField("Text_Ly", "1.00");
    m.addField("TextqA", "50");
    addImageButtons(m, true);
    return m;
}

FormModel MakeFormDadosEnterrada()
{
    FormModel m("FormDadosEnterrada");
    m.addField("Textht", "1.52");
    m.addField("Textqt", "100");
    m.addField("Checkhna", {}, 1);
    m.addField("Texthna", "0.75");
    m.addField("TextGama", "1.6");
    m.addField("TextAngSolo", "28");
    m.addField("TextAngTerreno", "3");
    m.addField("ComboSolo", {}, -1);
    addImageButtons(m, true);
    return m;
}

FormModel MakeFormPosicaoAs()
{
    FormModel m("FormPosicaoAs");
    m.addField("OptionHorizontal", {}, 0);
    m.addField("OptionVertical", {}, 0);
    m.addField("OptionDuasDir", {}, 0);
    m.addField("butres_2", {}, 1);
    m.addField("butarw_3", {}, 1);
    return m;
}

FormModel MakeFormAltera_e()
{
    FormModel m("FormAltera_e");
    // The window's caption and three labels are written by the results window when it opens
    // the review; Label3 and Label6 only say "m".
    m.addField("Caption");
    m.addField("Label1");
    m.addField("Label2");
    m.addField("Label4");
    m.addField("Text_e");
    m.addField("butres_2", {}, 1);
    m.addField("butarw_3", {}, 1);
    return m;
}

FormModel MakeFormLegenda()
{
    FormModel m("FormLegenda");
    for (const char *control : { "aeESTPROJ", "aeESTCLI", "aeESTEND", "aeESTRESP", "aeESTOBS" })
        m.addField(control);
    return m;
}

std::size_t LegendMaxLength(const std::string &control)
{
    if (control == "aeESTOBS")
        return 165;
    if (control == "aeESTPROJ" || control == "aeESTCLI" || control == "aeESTEND"
        || control == "aeESTRESP")
        return 55;
    return 0;
}

void SetLegendText(FormModel &legend, const std::string &control, const std::string &text)
{
    const std::size_t max = LegendMaxLength(control);
    if (max == 0) {
        legend.setText(control, text);
        return;
    }
    // Count UTF-8 characters: every byte that does not continue a sequence starts one.
    std::size_t characters = 0;
    std::size_t cut = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (characters == max) {
                cut = i;
                break;
            }
            ++characters;
        }
    }
    legend.setText(control, text.substr(0, cut));
}
