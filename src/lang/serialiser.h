// Writing figures back as command text, and the texts the console copies and saves.
#pragma once

#include "lang/session.h"
#include "model/figure.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lang {

// Normal: the FIGURE, LAYER and FRAMES lines and one line per object. Recorder (Capture Frame):
// only the object lines, each placed in the recorded frame. HeaderOnly (End Animation
// Recording): the FIGURE, LAYER and FRAMES lines.
enum class SerialiseMode { Normal, Recorder, HeaderOnly };

// One object's line: its keyword as typed, then each sub-object as name(arguments), each followed
// by a blank. Arguments of "n" are quoted, others only when they hold a blank or a comma.
std::string objectLine(const model::PlotObject& object);

// The figure's command text; running it with a default figure id rebuilds the figure under that
// id. Lines end in CR LF except the last object line; object lines end in a blank. Arguments of
// "n" are quoted, others only when they hold a blank or a comma. Every figure
// id is written as 0, and this is done to the objects themselves: the first AT of each written
// object gets figure id 0 and exactly four arguments (and, in Recorder mode, `recordFrame` as its
// frame). In Recorder mode, when the figure holds recorded blocks, each AXIS is written with its
// running number among the written AXIS objects as axis id, and keeps its own afterwards.
std::string serialiseFigure(model::Figure& figure, SerialiseMode mode = SerialiseMode::Normal,
                            std::uint32_t recordFrame = 0);

// One figure as a whole document, for an embedding client: declaration, root and one plot
// element. Markup characters in the text are encoded, and bytes that are not UTF-8 replaced
// (xml::replaceInvalidUtf8), so that the document always loads.
std::string oneFigureDocumentText(std::string_view figureText);

// The texts the clipboard gets, made for pasting into the console: the same layout as the
// documents, but the command text stands as it is ("<", ">" and "&" are not encoded); bytes that
// are not UTF-8 are replaced, since the clipboard holds Unicode text.
// Copy to Clipboard (Text): declaration, root and one plot element.
std::string oneFigureClipboardText(std::string_view figureText);
// Save All Figures (Clipboard): plot elements one after the other, without declaration or root.
std::string allFiguresClipboardText(std::span<const std::string> figureTexts);

enum class FigureScope { Foreground, All };

// The normal-mode texts of the figures, in figure-list order: all of them, or the one whose id is
// `foregroundFigureId` (none when no figure is in front).
std::vector<std::string> collectFigureTexts(Session& session, FigureScope scope,
                                            std::optional<std::uint32_t> foregroundFigureId = {});

} // namespace lang
