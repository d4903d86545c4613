#pragma once

#include "core/FormModel.h"
#include "input/SoilCatalogue.h"

#include <string>
#include <vector>

class AppContext;

/// The soil catalogue window ("Cadastro de Tipos de Solo") without the window: its controls,
/// the catalogue's rows it shows, and its commands. The window binds its widgets to `form()`
/// by control name, shows `rows()` in its grid with `currentRow()` current, gives the focus to
/// `focus()`, and forwards its events here.
///
/// Controls of `form()`:
/// - the seven fields `Text1` (NOME), `NumberBox1` to `NumberBox5` (PESP, PESPSAT, ANG, TMAX,
///   SPT) and `Text2` (OBS): text and enabled state;
/// - the toolbar buttons by key, "Inserir", "Editar", "Excluir", "Salvar", "Cancelar":
///   enabled state, and state 1 while pressed;
/// - `DBGrid1` and `Command1` ("< Retornar"): enabled state.
///
/// Two modes. Browsing: the fields show the current row and are disabled, the grid is enabled.
/// Editing (after "Inserir" or "Editar"): the fields hold what is typed and are enabled, the
/// grid and "< Retornar" are disabled, until "Salvar" succeeds or "Cancelar".
///
/// Messages go through the context's UiHost; without one the commands act on their default
/// answers (a deletion is not confirmed, so nothing is deleted).
class FormSolosModel
{
public:
    /// The fields, in the table's column order.
    static const std::vector<std::string> &FieldNames();

    explicit FormSolosModel(AppContext &ctx);

    FormModel &form() { return m_form; }
    const FormModel &form() const { return m_form; }
    const std::vector<SoilRecord> &rows() const { return m_rows; }
    /// The grid's current row; -1 when the catalogue is empty.
    int currentRow() const { return m_current; }
    bool browsing() const { return m_browsing; }
    /// The control that has to get the focus after the last command; empty for none.
    const std::string &focus() const { return m_focus; }

    /// Reads the catalogue (a catalogue that cannot be read shows its error and an empty
    /// grid), and shows the first row.
    void Form_Load();
    /// Sets the toolbar from the number of rows.
    void Form_Activate();
    /// The grid's current row changed (while browsing).
    void SelectRow(int row);

    /// A toolbar button by its key; a disabled button does nothing.
    void Toolbar1_ButtonClick(const std::string &key);
    void Inserir();
    void Editar();
    /// Asks "Confirma exclusão?" and deletes the current row on Yes.
    void Excluir();
    /// Checks the fields and stores the row; false when a check or the write failed (the
    /// window then stays in editing mode).
    bool Salvar();
    void Cancelar();

private:
    void requery(std::int32_t keepCode);
    void showRow();
    void enterEditing(bool inserting);
    void enterBrowsing();
    void setToolbarBrowsing();
    bool refuse(const std::string &field, const std::string &message);
    bool optionalNumber(const std::string &field, const std::string &message);

    AppContext &m_ctx;
    FormModel m_form;
    std::vector<SoilRecord> m_rows;
    int m_current = -1;
    bool m_browsing = true;
    std::string m_focus;
};
