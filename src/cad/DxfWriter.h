#pragma once

#include "core/ErrorPair.h"
#include "draw/Scene.h"

#include <string>
#include <string_view>

/// Writes a scene as a DXF drawing (AutoCAD 2000 format) that any CAD program opens: the scene's
/// layers with their colour index and line type, its text styles, and every group as a block of
/// lines, polylines, circles, arcs, texts, dimensions and hatches, inserted at the group's
/// insertion point and scale. Colours and line types that defer to the layer stay "by layer".
namespace DxfWriter {

/// Writes the scene to `path` (UTF-8), under a temporary name renamed at the end, so that a
/// reader never sees half a drawing. A file that cannot be written gives error 75 naming it.
ErrorPair Write(const draw::Scene &scene, const std::string &path);

/// A text as a drawing of this format holds it: plain ASCII, every other character written as
/// "\U+XXXX", as CAD programs read non-ASCII characters in TEXT entities.
std::string EncodeText(std::string_view utf8);

/// A layer or style name in the drawing's code page (Latin-1, "ANSI_1252"): accented letters
/// kept, characters beyond it replaced by "_".
std::string Latin1Name(std::string_view utf8);

/// The block name of a group: the group's name with characters CAD programs refuse in names
/// replaced by "_" (non-ASCII letters are spelled out as their "\U+" code would not be
/// accepted in a name).
std::string BlockName(std::string_view groupName);

} // namespace DxfWriter
