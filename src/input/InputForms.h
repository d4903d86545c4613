#pragma once

#include "core/FormModel.h"

#include <cstddef>
#include <string>

/// The form models of the input chain, with the load-time values of their controls.
/// Tank kind: OptionElevada / OptionEnterrada (buried chosen).
FormModel MakeFormTipoElev();
/// Geometry: Text_a, Text_b, Text_h, Text_hn.
FormModel MakeFormDadosGeometricos();
/// Lid: Text_X, Text_Y, Text_Lx, Text_Ly, TextqA.
FormModel MakeFormPosTampa();
/// Buried tank: Textht, Textqt, Checkhna, Texthna, TextGama, TextAngSolo, TextAngTerreno,
/// ComboSolo.
FormModel MakeFormDadosEnterrada();
/// Reinforcement layout: OptionHorizontal, OptionVertical, OptionDuasDir (one group, none
/// chosen at load), the calculate image button butres_2 and the back button butarw_3.
FormModel MakeFormPosicaoAs();
/// Thickness review: Caption, Label1, Label2, Label4 (set by the opener), Text_e (the new
/// thickness, m), the confirm image button butres_2 and the back button butarw_3.
FormModel MakeFormAltera_e();
/// Project legend: aeESTPROJ, aeESTCLI, aeESTEND, aeESTRESP, aeESTOBS, all empty.
FormModel MakeFormLegenda();

/// The most characters a legend field keeps: 55, and 165 for the notes (aeESTOBS); 0 for a
/// name that is not a legend field.
std::size_t LegendMaxLength(const std::string &control);

/// A change of a legend field: the text, cut to the field's first LegendMaxLength characters
/// (characters, not bytes: "Endereço" counts 8).
void SetLegendText(FormModel &legend, const std::string &control, const std::string &text);
