#include "input/InputChain.h"
#include "core/DesignState.h"
#include "input/InputForms.h"

#include <gtest/gtest.h>

namespace {

struct ProposalCase
{
    float a, b, h;
    std::int16_t layout;
    const char *option;
    const char *why;
};

// The four cases worked in the layout window's description, and the boundaries that tell a
// strict comparison from a loose one.
const ProposalCase kProposals[] = {
    { 2.79f, 2.56f, 2.61f, kTwoWayLayout, "OptionDuasDir",
      "geometry defaults: not tall, 2h > a, 2h > b, 2b = 5.12 > a" },
    { 1, 1, 2, kHorizontalLayout, "OptionHorizontal", "2a = 2 <= h = 2 and 2b <= h: tall" },
    { 3, 1.4f, 2, kVerticalLayout, "OptionVertical", "not tall, not flat, but 2b = 2.8 < a" },
    { 8, 6, 2, kVerticalLayout, "OptionVertical", "2h = 4 < a: flat" },
    { 4, 3, 2, kVerticalLayout, "OptionVertical", "2h = a exactly is not > a" },
    { 3, 1.5f, 2, kVerticalLayout, "OptionVertical", "2b = a exactly is not > a" },
    { 1, 1.01f, 2, kTwoWayLayout, "OptionDuasDir", "2b = 2.02 > h: not tall" },
};

TEST(ProposeLayout, ChoosesFromTheTankProportions)
{
    for (const ProposalCase &c : kProposals) {
        SCOPED_TRACE(c.why);
        FormModel form = MakeFormPosicaoAs();
        EXPECT_EQ(InputChain::ProposeLayout(form, c.a, c.b, c.h), c.layout);
        for (const InputChain::LayoutOption &o : InputChain::LayoutOptions())
            EXPECT_EQ(form.state(o.optionName), std::string(o.optionName) == c.option ? 1 : 0)
                    << o.optionName;
        EXPECT_EQ(InputChain::ChosenLayout(form).code, c.layout);
    }
}

TEST(ProposeLayout, ReplacesAnEarlierChoice)
{
    FormModel form = MakeFormPosicaoAs();
    InputChain::ChooseLayout(form, kHorizontalLayout);
    InputChain::ProposeLayout(form, 8, 6, 2);
    EXPECT_EQ(form.state("OptionHorizontal"), 0);
    EXPECT_EQ(form.state("OptionVertical"), 1);
}

TEST(LayoutWindow, NothingChosenAtLoadReadsAsTwoWay)
{
    // The calculate button reads horizontal, then vertical, else two-way.
    const FormModel form = MakeFormPosicaoAs();
    EXPECT_EQ(form.state("OptionHorizontal"), 0);
    EXPECT_EQ(form.state("OptionVertical"), 0);
    EXPECT_EQ(form.state("OptionDuasDir"), 0);
    EXPECT_EQ(InputChain::ChosenLayout(form).code, kTwoWayLayout);
    EXPECT_STREQ(InputChain::ChosenLayout(form).resultsCaption,
                 "Resultados - Reservatório Armado em Duas Direções");
}

} // namespace
