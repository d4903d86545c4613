#include "input/FormSolosModel.h"

#include "core/AppContext.h"
#include "core/Numbers.h"
#include "core/UiHost.h"

#include <QString>

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr std::array<const char *, 5> kToolbar{ "Inserir", "Editar", "Excluir", "Salvar",
                                                "Cancelar" };

bool isBlank(const std::string &text)
{
    return QString::fromStdString(text).trimmed().isEmpty();
}

/// The number a field holds; nothing for a blank field or a text that is not a number.
std::optional<double> numberOf(const std::string &text)
{
    if (isBlank(text))
        return std::nullopt;
    return TryTextToNumber(text, 15);
}

} // namespace

const std::vector<std::string> &FormSolosModel::FieldNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const SoilField &b : kSoilFields)
            n.emplace_back(b.control);
        return n;
    }();
    return names;
}

FormSolosModel::FormSolosModel(AppContext &ctx) : m_ctx(ctx), m_form("FormSolos")
{
    for (const SoilField &b : kSoilFields)
        m_form.addField(b.control);
    for (const char *key : kToolbar)
        m_form.addField(key);
    m_form.addField("DBGrid1");
    m_form.addField("Command1");
    for (const SoilField &b : kSoilFields)
        m_form.setEnabled(b.control, false);
    setToolbarBrowsing();
}

void FormSolosModel::Form_Load()
{
    m_current = -1;
    requery(0);
    enterBrowsing();
}

void FormSolosModel::Form_Activate()
{
    if (m_browsing)
        setToolbarBrowsing();
}

void FormSolosModel::SelectRow(int row)
{
    if (!m_browsing || row < 0 || row >= static_cast<int>(m_rows.size()))
        return;
    m_current = row;
    showRow();
}

void FormSolosModel::Toolbar1_ButtonClick(const std::string &key)
{
    if (key == "Inserir")
        Inserir();
    else if (key == "Editar")
        Editar();
    else if (key == "Excluir")
        Excluir();
    else if (key == "Salvar")
        Salvar();
    else if (key == "Cancelar")
        Cancelar();
}

void FormSolosModel::Inserir()
{
    if (!m_form.enabled("Inserir"))
        return;
    enterEditing(true);
}

void FormSolosModel::Editar()
{
    if (!m_form.enabled("Editar") || m_current < 0)
        return;
    enterEditing(false);
}

void FormSolosModel::Excluir()
{
    if (!m_form.enabled("Excluir") || m_current < 0)
        return;
    const int answer = m_ctx.ui()
            ? m_ctx.ui()->MessageBox("Confirma exclusão?", UiHost::Buttons::YesNo,
                                     UiHost::Icon::Exclamation, "ATENÇÃO!")
            : UiHost::No;
    if (answer != UiHost::Yes)
        return;
    SoilCatalogue::ShowError(
            m_ctx,
            SoilCatalogue::DeleteSoil(m_ctx, m_rows[static_cast<std::size_t>(m_current)].COD_SOLO));
    // The row that followed the deleted one becomes current.
    requery(0);
    enterBrowsing();
}

bool FormSolosModel::Salvar()
{
    if (!m_form.enabled("Salvar"))
        return false;
    m_focus.clear();

    if (isBlank(m_form.text("Text1")))
        return refuse("Text1", "Nome do Solo.\nCampo Obrigatório!");

    const std::string &weight = m_form.text("NumberBox1");
    const std::optional<double> w = numberOf(weight);
    // "0.0" and "0,00" are as null as "0".
    if (isBlank(weight) || (w && *w == 0))
        return refuse("NumberBox1", "Peso Específico do Solo.\nCampo Obrigatório e não nulo!");
    if (!w || !(*w > 0))
        return refuse("NumberBox1",
                      "Peso Específico do Solo.\nDigite um número maior que zero, "
                      "em tf/m³ (por exemplo "
                              + m_ctx.text(1.8) + ").");

    if (isBlank(m_form.text("NumberBox2")))
        m_form.setText("NumberBox2", "0");
    if (!optionalNumber("NumberBox2",
                        "Peso Específico do Solo Saturado.\nDigite um número maior ou igual a "
                        "zero, em tf/m³, ou deixe o campo vazio."))
        return false;

    // The angle is read as every number of the program is, with either decimal symbol: "45,5"
    // is 45.5 and out of the limits, whatever the regional settings.
    const std::optional<double> angle = numberOf(m_form.text("NumberBox3"));
    if (!angle || !(*angle >= 5 && *angle <= 45))
        return refuse("NumberBox3",
                      "Ângulo de Talude Natural.\nCampo Obrigatório!\nLimites Válidos: [5º,45º]");

    if (isBlank(m_form.text("NumberBox4")))
        m_form.setText("NumberBox4", "0");
    if (!optionalNumber("NumberBox4",
                        "Tensão Máxima Admissível no Solo.\nDigite um número maior ou igual a "
                        "zero, em tf/m², ou deixe o campo vazio."))
        return false;
    if (isBlank(m_form.text("NumberBox5")))
        m_form.setText("NumberBox5", "0");
    if (!optionalNumber("NumberBox5",
                        "Valor do SPT.\nDigite um número maior ou igual a zero, ou deixe o campo "
                        "vazio."))
        return false;
    if (isBlank(m_form.text("Text2")))
        m_form.setText("Text2", "-");

    const bool inserting = m_form.state("Inserir") == 1;
    SoilRecord soil;
    if (!inserting && m_current >= 0)
        soil.COD_SOLO = m_rows[static_cast<std::size_t>(m_current)].COD_SOLO;
    for (const SoilField &b : kSoilFields)
        soil.*b.member = m_form.text(b.control);
    if (const ErrorPair e = SoilCatalogue::SaveSoil(m_ctx, soil); !e.ok()) {
        // Still editing: what was typed is not lost.
        SoilCatalogue::ShowError(m_ctx, e);
        return false;
    }
    requery(soil.COD_SOLO);
    enterBrowsing();
    return true;
}

void FormSolosModel::Cancelar()
{
    if (!m_form.enabled("Cancelar"))
        return;
    enterBrowsing();
}

void FormSolosModel::requery(std::int32_t keepCode)
{
    const int previous = m_current;
    const ErrorPair e = SoilCatalogue::ReadSoils(m_ctx, m_rows);
    SoilCatalogue::ShowError(m_ctx, e);
    m_current = -1;
    for (std::size_t i = 0; i < m_rows.size() && keepCode != 0; ++i) {
        if (m_rows[i].COD_SOLO == keepCode)
            m_current = static_cast<int>(i);
    }
    if (m_current < 0 && !m_rows.empty())
        m_current = std::clamp(previous, 0, static_cast<int>(m_rows.size()) - 1);
}

void FormSolosModel::showRow()
{
    const SoilRecord empty;
    const SoilRecord &row = m_current >= 0 ? m_rows[static_cast<std::size_t>(m_current)] : empty;
    for (const SoilField &b : kSoilFields)
        m_form.setText(b.control, row.*b.member);
}

void FormSolosModel::enterEditing(bool inserting)
{
    m_browsing = false;
    m_form.setState("Inserir", inserting ? 1 : 0);
    m_form.setState("Editar", inserting ? 0 : 1);
    m_form.setEnabled("Inserir", false);
    m_form.setEnabled("Editar", false);
    m_form.setEnabled("Excluir", false);
    m_form.setEnabled("Salvar", true);
    m_form.setEnabled("Cancelar", true);
    for (const SoilField &b : kSoilFields) {
        if (inserting)
            m_form.setText(b.control, {});
        m_form.setEnabled(b.control, true);
    }
    m_form.setEnabled("DBGrid1", false);
    m_form.setEnabled("Command1", false);
    m_focus = inserting ? "Text1" : std::string();
}

void FormSolosModel::enterBrowsing()
{
    m_browsing = true;
    // With no row to show, the fields are emptied rather than left with a cancelled text.
    showRow();
    for (const SoilField &b : kSoilFields)
        m_form.setEnabled(b.control, false);
    m_form.setEnabled("DBGrid1", true);
    m_form.setEnabled("Command1", true);
    setToolbarBrowsing();
}

void FormSolosModel::setToolbarBrowsing()
{
    const bool rows = !m_rows.empty();
    m_form.setState("Inserir", 0);
    m_form.setState("Editar", 0);
    m_form.setEnabled("Inserir", true);
    m_form.setEnabled("Editar", rows);
    m_form.setEnabled("Excluir", rows);
    m_form.setEnabled("Salvar", false);
    m_form.setEnabled("Cancelar", false);
}

bool FormSolosModel::refuse(const std::string &field, const std::string &message)
{
    m_focus = field;
    if (m_ctx.ui())
        m_ctx.ui()->MessageBox(message, UiHost::Buttons::Ok, UiHost::Icon::Exclamation, "ATENÇÃO!");
    return false;
}

bool FormSolosModel::optionalNumber(const std::string &field, const std::string &message)
{
    const std::optional<double> v = numberOf(m_form.text(field));
    if (v && *v >= 0)
        return true;
    return refuse(field, message);
}
