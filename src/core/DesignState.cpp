#include "core/DesignState.h"

#include "core/Numbers.h"

bool IsBuriedCalc(std::int16_t calcState)
{
    return calcState == 1020 || calcState == 2020 || calcState == 3020;
}

bool IsElevatedCalc(std::int16_t calcState)
{
    return calcState == 1010 || calcState == 2010 || calcState == 3010;
}

std::int16_t LayoutOf(std::int16_t calcState)
{
    return static_cast<std::int16_t>((calcState / 1000) * 1000);
}

std::int16_t RemoveLayout(std::int16_t calcState)
{
    if (calcState >= 2021)
        return static_cast<std::int16_t>(calcState - kTwoWayLayout);
    if (calcState < 1021)
        return static_cast<std::int16_t>(calcState - kHorizontalLayout);
    return static_cast<std::int16_t>(calcState - kVerticalLayout);
}

WindowSizes InitWindowSizes(DesignState &state, int twipsPerPixelX, int twipsPerPixelY)
{
    double k = 0.7104;
    switch (twipsPerPixelX) {
    case 15:
        k = 1;
        break;
    case 14:
        k = 0.9041;
        break;
    case 13:
        k = 0.8395;
        break;
    case 12:
        k = 0.775;
        break;
    default:
        break;
    }
    const double tx = twipsPerPixelX;
    const double ty = twipsPerPixelY;
    state.largeFormWidth = ToInt16(tx * 640 / k);
    state.largeFormHeight = ToInt16(ty * 430 / k);
    state.inputFormWidth = ToInt16(tx * 500 / k);
    state.inputFormHeight = ToInt16(ty * 350 / k);
    return { ToInt16(tx * 655 / k), ToInt16(ty * 545 / k) };
}

void CopyGeometry(DesignState &state, std::string_view a, std::string_view b, std::string_view h,
                  std::string_view hn)
{
    state.widthA = static_cast<float>(TextToNumber(a, "0.00"));
    state.lengthB = static_cast<float>(TextToNumber(b, "0.00"));
    state.heightH = static_cast<float>(TextToNumber(h, "0.00"));
    state.waterLevelHn = static_cast<float>(TextToNumber(hn, "0.00"));
}

void CopyLidData(DesignState &state, std::string_view lx, std::string_view ly, std::string_view x,
                 std::string_view y, std::string_view qA)
{
    state.hatchLx = static_cast<float>(TextToNumber(lx, "0.00"));
    state.hatchLy = static_cast<float>(TextToNumber(ly, "0.00"));
    state.hatchX = static_cast<float>(TextToNumber(x, "0.00"));
    state.hatchY = static_cast<float>(TextToNumber(y, "0.00"));
    state.lidLiveLoad = static_cast<float>(TextToNumber(-TextToNumber(qA, "0.00"), "0.00"));
}

void CopyBuriedData(DesignState &state, const std::string &soil, float gamma, float angSoil,
                    float ht, float qt, float hna, float angGround)
{
    state.soilName = soil;
    state.soilUnitWeight = gamma;
    state.soilFrictionAngle = ToInt16(angSoil);
    state.buryHeightHt = ht;
    state.groundSurchargeQt = qt;
    state.waterTableHna = hna;
    state.groundSlopeAngle = ToInt16(angGround);
}

void ResetThicknesses(DesignState &state)
{
    state.thicknessEt = state.minWallThickness;
    state.thicknessEp = state.minWallThickness;
    state.thicknessEf = state.minWallThickness;
}
