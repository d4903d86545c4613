#pragma once

#include "design/CrackCheck.h"

#include <functional>

class CalcContext;

/// The two loops shared by the three layouts' section-thickness reviews. Each raises one member
/// in steps of 0.01 m (single-precision additions), comparing the thickness × 100 as a single
/// with the requirement of RequiredThickness for the member's design moment, taken once when the
/// review starts. After a raise the caller's re-run (header, loads, the layout's moments) brings
/// the results fields up to date with the new thickness.
///
/// A calculation whose context asks for ThicknessReviewMode::KeepSaved (a project being opened)
/// does not search: the lid stays as it is, the walls and the bottom take one raise each, with
/// its re-run, and their crack checks are those of the sections they then have.
///
/// The reviews are bounded: a thickness that would pass 9.99 m, or walls whose thickness reaches
/// half the smaller plan dimension, end the calculation with a CalcError.
namespace ThicknessReview {

/// Header, loads and the layout's moment step for the current thicknesses.
using Rerun = std::function<void()>;

/// The re-run after a raise: header, loads and the layout's moment step `moments`.
Rerun RerunWith(CalcContext &ctx, void (*moments)(CalcContext &ctx));

/// Least thickness (cm) that carries `moment` (kgf·m per m) with the applied parameters.
float RequiredThicknessFor(const CalcContext &ctx, float moment);

/// The lid loop: raises thicknessEt while it is below the requirement (tested first, so a lid
/// that suffices is left as it is).
void ReviewLid(CalcContext &ctx, float moment, const Rerun &rerun);

/// Which member a raise-first loop works on.
enum class Member { Wall, Bottom };

/// The wall or bottom loop: raises first, then, with the crack check on, checks the crack width
/// at the raised thickness and raises again at once while it fails. `horizontalBottom` selects
/// the horizontal layout's bottom loop, whose failed test raises without re-running; a final
/// re-run then brings the results up to the last raise. Returns the member's last crack check
/// (an empty record when the check is off).
CrackCheck ReviewMember(CalcContext &ctx, Member member, float moment, const Rerun &rerun,
                        bool horizontalBottom = false);

} // namespace ThicknessReview
