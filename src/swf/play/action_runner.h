// Running the DoAction programs of a movie, as far as the text fields this program writes need:
// a value stack, the constant pool, variables, TextFormat objects, createTextField on the root,
// setNewTextFormat and the text member of a field. Other actions stop the program with a
// message; the movie goes on.
#pragma once

#include "swf/read/tag_decoder.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace swf {

// The format a text field draws its text in.
struct TextFormat {
    std::string font = "Times New Roman";
    double size = 12;          // pixels at the movie's own scale
    std::uint32_t colour = 0;  // 0xRRGGBB
    bool bold = false, italic = false, underline = false;
    bool operator==(const TextFormat&) const = default;
};

struct TextField {
    std::string name;
    std::int32_t depth = 0;                  // as the program gave it
    double x = 0, y = 0, width = 0, height = 0; // pixels
    std::string text;
    TextFormat format;        // of the text it shows
    TextFormat newTextFormat; // for text set from now on
    bool operator==(const TextField&) const = default;
};

// What a program reaches on the movie's root.
class RootTimeline {
public:
    virtual ~RootTimeline() = default;
    // Makes a new field at its depth, replacing what was there; false when the root holds
    // maxActionObjects fields already.
    virtual bool createTextField(TextField field) = 0;
    // The field of that instance name, if there is one.
    virtual TextField* textField(std::string_view name) = 0;
};

// A TextFormat object as the program built it: the members it set.
struct TextFormatObject {
    std::optional<std::string> font;
    std::optional<double> size;
    std::optional<std::uint32_t> colour;
    std::optional<bool> bold, italic, underline;
};

// Variables and objects live on the root from frame to frame.
struct ActionState {
    struct ObjectRef {
        enum class Kind { Root, Format, Field } kind = Kind::Root;
        std::size_t format = 0; // index into formats
        std::string field;      // instance name
    };
    struct Undefined {};
    using Value = std::variant<Undefined, bool, double, std::string, ObjectRef>;

    std::map<std::string, Value, std::less<>> variables;
    std::vector<TextFormatObject> formats;
};

// Values a program may leave on its stack; a program that pushes more stops.
inline constexpr std::size_t maxActionStack = 10000;
// Variables, TextFormat objects and text fields a movie may make; a program that makes more
// stops.
inline constexpr std::size_t maxActionObjects = 1'000'000;

// Runs the program. Empty when it ran to its end; otherwise why it stopped.
std::optional<std::string> runActions(const DoAction& program, RootTimeline& root,
                                      ActionState& state);

} // namespace swf
