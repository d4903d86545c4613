#include "input/InputChain.h"

#include "core/DesignState.h"
#include "core/FormModel.h"

#include <stdexcept>

namespace InputChain {

namespace {

const std::array<LayoutOption, 3> kLayoutOptions = { {
        { "OptionHorizontal", kHorizontalLayout,
          "Resultados - Reservatório Armado Horizontalmente" },
        { "OptionVertical", kVerticalLayout, "Resultados - Reservatório Armado Verticalmente" },
        { "OptionDuasDir", kTwoWayLayout, "Resultados - Reservatório Armado em Duas Direções" },
} };

} // namespace

std::string FormName(InputWindow window)
{
    switch (window) {
    case InputWindow::FormTipoElev:
        return "FormTipoElev";
    case InputWindow::FormDadosGeometricos:
        return "FormDadosGeometricos";
    case InputWindow::FormPosTampa:
        return "FormPosTampa";
    case InputWindow::FormDadosEnterrada:
        return "FormDadosEnterrada";
    case InputWindow::FormPosicaoAs:
        return "FormPosicaoAs";
    case InputWindow::FormResultados:
        return "FormResultados";
    }
    return {};
}

InputWindow NextWindow(InputWindow from, Direction direction, std::int16_t calcState)
{
    using W = InputWindow;
    const bool buried = calcState == kBuriedTank;
    if (direction == Direction::Forward) {
        switch (from) {
        case W::FormTipoElev:
            return W::FormDadosGeometricos;
        case W::FormDadosGeometricos:
            return W::FormPosTampa;
        case W::FormPosTampa:
            return buried ? W::FormDadosEnterrada : W::FormPosicaoAs;
        case W::FormDadosEnterrada:
            return W::FormPosicaoAs;
        case W::FormPosicaoAs:
            return W::FormResultados;
        case W::FormResultados:
            return from;
        }
        return from;
    }
    switch (from) {
    case W::FormTipoElev:
        return from;
    case W::FormDadosGeometricos:
        return W::FormTipoElev;
    case W::FormPosTampa:
        return W::FormDadosGeometricos;
    case W::FormDadosEnterrada:
        return W::FormPosTampa;
    case W::FormPosicaoAs:
        return buried ? W::FormDadosEnterrada : W::FormPosTampa;
    case W::FormResultados:
        return W::FormPosicaoAs;
    }
    return from;
}

const std::array<LayoutOption, 3> &LayoutOptions()
{
    return kLayoutOptions;
}

const LayoutOption &ChosenLayout(const FormModel &formPosicaoAs)
{
    if (formPosicaoAs.state(kLayoutOptions[0].optionName) != 0)
        return kLayoutOptions[0];
    if (formPosicaoAs.state(kLayoutOptions[1].optionName) != 0)
        return kLayoutOptions[1];
    return kLayoutOptions[2];
}

const LayoutOption *LayoutOptionOf(std::int16_t layoutCode)
{
    for (const LayoutOption &option : kLayoutOptions) {
        if (option.code == layoutCode)
            return &option;
    }
    return nullptr;
}

void ChooseLayout(FormModel &formPosicaoAs, std::int16_t layoutCode)
{
    if (!LayoutOptionOf(layoutCode))
        throw std::invalid_argument("ChooseLayout: no layout " + std::to_string(layoutCode));
    // Clear first, then set: the window's group never shows two options chosen.
    for (const LayoutOption &option : kLayoutOptions) {
        if (option.code != layoutCode)
            formPosicaoAs.setState(option.optionName, 0);
    }
    formPosicaoAs.setState(LayoutOptionOf(layoutCode)->optionName, 1);
}

void SetGroundWaterBox(FormModel &formDadosEnterrada, bool ticked)
{
    formDadosEnterrada.setState("Checkhna", ticked ? 1 : 0);
    formDadosEnterrada.setVisible("Texthna", ticked);
    if (!ticked)
        formDadosEnterrada.setText("Texthna", "");
}

std::int16_t ProposedLayout(float a, float b, float h)
{
    if (2 * a <= h && 2 * b <= h)
        return kHorizontalLayout;
    if (2 * h > a && 2 * h > b && 2 * b > a)
        return kTwoWayLayout;
    return kVerticalLayout;
}

std::int16_t ProposeLayout(FormModel &formPosicaoAs, float a, float b, float h)
{
    const std::int16_t layout = ProposedLayout(a, b, h);
    ChooseLayout(formPosicaoAs, layout);
    return layout;
}

} // namespace InputChain
