#pragma once

#include "core/FormModel.h"

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
