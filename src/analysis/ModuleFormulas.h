#pragma once

struct DesignState;

// Closed-form plate, frame, ring and beam formulas that give the bending moments of the lid,
// the walls and the bottom. Moments in kgf·m per metre of width, loads in kgf/m², lengths in m.
// Every formula raises CalcError on a division by zero, an overflow or a non-finite result, so
// that no NaN or infinity ever reaches a results field.
namespace ModuleFormulas {

/// How a plate strip is supported at its two ends, as Marcus's method needs it: the
/// coefficient α of its mid-span deflection, the divisor m of its span moment p·l²/m and the
/// coefficient c of its end moment c·p·l². The figures are the rounded ones the design tables
/// have always used (0.08333, not 1/12; 14.22, not 128/9), so that results match them.
struct StripSupport
{
    double alpha;
    double m;
    double c;
};

inline constexpr StripSupport kStripSimplySupported{ 5, 8, 0 };
inline constexpr StripSupport kStripFixed{ 1, 24, 0.08333 };
inline constexpr StripSupport kStripFixedSimplySupported{ 2, 14.22, 0.125 };

/// The results of Marcus's method for one plate, in the usual plate notation: span moments
/// Mx, My and edge moments Xx, Xy (kgf·m per metre), support reactions Ry, Rx (kgf per metre).
/// They carry the sign of the load.
struct PlateMoments
{
    double Mx = 0;
    double My = 0;
    double Xx = 0;
    double Xy = 0;
    double Ry = 0;
    double Rx = 0;
};

/// Rectangular plate under the uniform load p (kgf/m², signed), shared between two crossing
/// strips of spans lx and ly (m) whose mid-span deflections agree. αx/αy, mx/my and cx/cy are
/// the deflection coefficients, span-moment divisors and end-moment coefficients of the x and
/// y strips (StripSupport). Computed in double on the exact values of the arguments.
PlateMoments MarcusPlateMoments(double alphaX, double alphaY, double lx, double ly, double mx,
                                double my, double cx, double cy, double p);
/// The same with the supports of the two strips given as a whole.
PlateMoments MarcusPlateMoments(const StripSupport &x, const StripSupport &y, double lx, double ly,
                                double p);

/// Redundant corner moments of the closed vertical frame (kgf·m per metre).
struct FrameCornerMoments
{
    float top = 0; ///< lid-to-wall corner
    float bottom = 0; ///< bottom-to-wall corner
};

/// Symmetric closed rectangular frame with rigid corners, solved by the force method: a top
/// member of span lTop (m) under the uniform load qTop (kgf/m²), two side members of height
/// hWall (m) under a load growing linearly from 0 at the top to pWall (kgf/m²) at the bottom,
/// and a bottom member of span lBottom under qBottom. The members' stiffnesses follow the
/// section thicknesses thicknessEt, thicknessEp and thicknessEf of `state`. Loads enter with
/// the magnitudes the caller gives.
FrameCornerMoments ClosedFrameCornerMoments(const DesignState &state, float qTop, float lTop,
                                            float pWall, float hWall, float qBottom, float lBottom);

/// Mid-span moment q·L²/8 of a simply supported beam under the uniform load q.
double UniformSpanMoment(float q, float L);
/// Largest moment p·L²/15.6 of a simply supported beam under a load growing linearly to p
/// (9·√3 ≈ 15.588, rounded to 15.6 as the design tables do).
double TriangularSpanMoment(float p, float L);
/// Corner moment q·(a³ + b³)/(12·(a + b)) of a closed rectangular ring of sides a and b with
/// equal sections under the uniform pressure q.
double RingCornerMoment(float q, float a, float b);
/// Mid-span moment q·L²/8 − X of a member of span L with equal end moments X.
double SpanMomentBetweenEnds(float q, float L, float X);

/// The larger of the magnitudes of p and q, each first brought to a whole number (halves away
/// from zero) from its own precision: a double through its 15-digit text, a single through its
/// 7-digit text, exactly as a results field would show it. On a tie q wins. Always whole and
/// not negative.
float GoverningMagnitude(double p, double q);
float GoverningMagnitude(float p, float q);
float GoverningMagnitude(double p, float q);
float GoverningMagnitude(float p, double q);

/// The smaller of the magnitudes of p and q, not rounded; on a tie q's.
float SmallerMagnitude(float p, float q);

} // namespace ModuleFormulas
