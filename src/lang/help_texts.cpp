// Help texts of the console. Each opens with a bold red title line, then the syntax indented with
// tabs, the meaning of each argument or sub-object, and examples; "{t}" makes an example runnable.
#include "lang/help_texts.h"
#include "model/argument_text.h"

#include "lang/tokenizer.h"

namespace lang {
namespace {

constexpr std::string_view helpOverview =
    "{b}{c 0xFF0000}HELP: Lists the commands of the plotting language.{c 0}{b}\r\n"
    "Every command is one line. Figure commands are a keyword followed by numbers separated by "
    "blanks. Object commands are an object keyword followed by sub-objects, each written "
    "keyword(arguments), separated by blanks, in any order.\r\n"
    "{b}Figure Construction{b}\r\n"
    "\t{l}FIGURE{l}  {l}DX{l}  {l}LAYER{l}  {l}FRAME{l}\r\n"
    "{b}Main 2D Objects{b}\r\n"
    "\t{l}FUNCTION{l}  {l}RECTANGLE{l}  {l}ELLIPSE{l}  {l}PIE{l}  {l}BEZIER{l}  {l}CCURVE{l}  "
    "{l}OCURVE{l}  {l}ARC{l}  {l}POINT{l}  {l}POLY{l}  {l}TEXT{l}  {l}AXIS{l}  {l}IMAGE{l}  "
    "{l}CHART{l}\r\n"
    "{b}Main 3D Objects{b}\r\n"
    "\t{l}FUNCTION3A{l}  {l}FUNCTION3D{l}  {l}CUBE{l}  {l}SPHERE{l}  {l}BEZIER3{l}  "
    "{l}CCURVE3{l}  {l}OCURVE3{l}  {l}POINT3{l}  {l}POLY3{l}  {l}AXIS{l}  {l}CHART3D{l}\r\n"
    "{b}Main 4D Objects{b}\r\n"
    "\t{l}POLY4{l}\r\n"
    "{b}Direct3D Objects{b}\r\n"
    "\t{l}MESHF{l}  {l}MESHB{l}  {l}MESH{l}\r\n"
    "{b}Sub Objects{b}\r\n"
    "\t{l}AT{l}  {l}SPLIT{l}  {l}PEN{l}  {l}BRUSH{l}  {l}FONT{l}  {l}NAME{l}  {l}P1{l}  "
    "{l}P2{l}  {l}P3{l}  {l}P4{l}  {l}TRANSFORM{l}  {l}3DTRANSFORM{l}\r\n"
    "For help on a particular command, type that command.\r\n";

constexpr std::string_view helpFigure =
    "{b}{c 0xFF0000}FIGURE: Creates or updates a figure.{c 0}{b}\r\n\tFIGURE <id> [<width>] "
    "[<height>] [<color>] [DX] [OWN2D] \r\n\t\twidth,height: Figure width and height\r\n\t\tcolor: "
    "figure color, default is white, hex supported, alpha blend supported (for example "
    "0xFFFFAAAA)\r\n\t\tDX: Enables Direct3D drawing to that figure\r\n\t\tOWN2D: Performs 2D "
    "transforms using manual manipulation (See help for details)\r\nFIGURE must be the first "
    "command to create a figure.\r\n{b}Example{b}: \r\n\t {t}FIGURE 1 500 500 0xFF00FF\r\n";

constexpr std::string_view helpLayer =
    "{b}{c 0xFF0000}LAYER: Adds a layer to a figure.{c 0}{b}\r\n"
    "\tLAYER <fid> <x> <y> <w> <h>\r\n"
    "\t\tfid: Figure ID\r\n"
    "\t\tx,y,w,h: the layer's rectangle in pixels. If any of the four ends with %, all four are "
    "percentages of the figure's width (x, w) and height (y, h).\r\n"
    "Layers are numbered from 1 in the order they are added; layer 0 is the whole figure. An "
    "object is drawn in a layer when the second argument of its {l}AT{l} names it, and its "
    "percentages then refer to that layer.\r\n"
    "{b}Example{b}: \r\n"
    "\t {t}FIGURE 1 500 500\r\nLAYER 1 0% 0% 50% 50%\r\nRECTANGLE at(1,1) pen(2) "
    "p4(0,0,100%,100%) brush(solid,0xFFCC99)\r\n{t}";

constexpr std::string_view helpFrame =
    "{b}{c 0xFF0000}FRAME: Adds an animation frame to a figure.{c 0}{b}\r\n"
    "\tFRAME <fid> <ms> <clearflag>\r\n"
    "\t\tfid: Figure ID\r\n"
    "\t\tms: time to wait before the frame is shown, in milliseconds\r\n"
    "\t\tclearflag: 1 to clear the picture before the frame is shown, 0 to draw over it\r\n"
    "\tFRAMES <fid> <count> <ms> <clearflag> adds count frames at once.\r\n"
    "Frames are numbered from 0; frame 0 is made by {l}FIGURE{l}. Objects name their frame with "
    "the fourth argument of {l}AT{l}. Frames matter only when the figure is saved as an SWF "
    "movie; on screen the frame commands of the figure window show and hide them.\r\n"
    "{b}Example{b}: \r\n"
    "\t {t}FRAME 1 500 0\r\n";

constexpr std::string_view helpAxis =
    "{b}{c 0xFF0000}AXIS: Draws a 2D or 3D axis system that later objects are plotted in."
    "{c 0}{b}\r\n"
    "\tAXIS AT(fid,[lid],[axid]) P4(from,to,spacing,numbering) P4(...) [P4(...)] [PEN] [BRUSH] "
    "[FONT] [TRANSFORM] [3DTRANSFORM]\r\n"
    "{b}Mandatory{b}\r\n"
    "\t\t{l}AT{l}: the figure and layer of the axis system\r\n"
    "\t\t{l}P4{l}: the X axis: from, to, spacing of the tick dots, numbering (0 no numbers, 1 "
    "whole numbers, n numbers with n-1 decimals)\r\n"
    "\t\t{l}P4{l}: the Y axis, the same way\r\n"
    "{b}Optional{b}\r\n"
    "\t\t{l}P4{l}: a third P4, the Z axis, makes a 3D axis system\r\n"
    "\t\t{l}PEN{l}: the axis lines; the dots are four times the pen width\r\n"
    "\t\t{l}BRUSH{l}: paints lines, dots and numbers; without a brush no numbers are drawn\r\n"
    "\t\t{l}FONT{l}: font for the numbers\r\n"
    "\t\t{l}TRANSFORM{l}, {l}3DTRANSFORM{l}: 2D transform; 3D view of a 3D axis system\r\n"
    "The first AXIS of a figure is axis 1, the second axis 2; objects name their axis with the "
    "third argument of {l}AT{l}.\r\n"
    "{b}Examples{b}: \r\n"
    "\t {t}AXIS at(1) pen(2,0xFF0000) brush(solid,0xFF0000) p4(-3,10,0.5,2) p4(-3,10,0.5,2)\r\n{t}"
    "\t {t}AXIS at(1) pen(1) brush(solid,0) p4(-0.1,9,1,1) p4(-1.2,1.2,0.5,2) font(Arial,8)\r\n{t}"
    "\t {t}AXIS at(1) pen(1) p4(-1,1,0.2,0) p4(-1,1,0.2,0) p4(-1,1,0.2,0) "
    "3dtransform(0,0,0,1,1,1,0,0,-3,0.5,0.5,0)\r\n{t}";

constexpr std::string_view helpImage =
    "{b}{c 0xFF0000}IMAGE: Draws a picture from a BMP, JPG, PNG or GIF file.{c 0}{b}\r\n"
    "\tIMAGE AT(fid,[lid],[axid]) P2(left,top) | P4(left,top,width,height) N(\"file\") "
    "[TRANSFORM]\r\n"
    "{b}Mandatory{b}\r\n"
    "\t\t{l}AT{l}: the figure, layer and axis\r\n"
    "\t\t{l}P2{l}: the top-left corner; the picture keeps its own size\r\n"
    "\t\t\tor {l}P4{l}: left, top, width and height; the picture is stretched to them (in an "
    "axis, width and height are the right and bottom of the rectangle)\r\n"
    "\t\t{l}NAME{l}: the file name, in double quotes\r\n"
    "{b}Optional{b}\r\n"
    "\t\t{l}TRANSFORM{l}: a 2D transform of the picture\r\n"
    "A file that cannot be read draws nothing.\r\n"
    "{b}Example{b}: \r\n"
    "\t {t}IMAGE at(1) p4(10,10,200,150) n(\"picture.png\")\r\n{t}";

constexpr std::string_view helpMeshF =
    "{b}{c 0xFF0000}MESHF: Draws a mesh from a DirectX .X file in a Direct3D figure.{c 0}{b}\r\n"
    "\tMESHF AT(fid) N(\"file.x\") [3DTRANSFORM] [PEN]\r\n"
    "{b}Mandatory{b}\r\n"
    "\t\t{l}AT{l}: a figure made with the DX option of {l}FIGURE{l} or with {l}DX{l}\r\n"
    "\t\t{l}NAME{l}: the .X file, in double quotes\r\n"
    "{b}Optional{b}\r\n"
    "\t\t{l}3DTRANSFORM{l}: its last three numbers turn the mesh about x, y and z (radians)\r\n"
    "\t\t{l}PEN{l}\r\n"
    "The mesh is drawn as a wireframe on white, seen from (0,0,-4).\r\n"
    "{b}Example{b}: \r\n"
    "\t {t}FIGURE 1 500 500 0xFFFFFF DX\r\nMESHF at(1) n(\"teapot.x\") "
    "3dtransform(0,0,0,1,1,1,0,0,0,0.3,0.5,0)\r\n{t}";

constexpr std::string_view helpMeshB =
    "{b}{c 0xFF0000}MESHB: Draws a box in a Direct3D figure.{c 0}{b}\r\n"
    "\tMESHB AT(fid) P3(width,height,depth) [3DTRANSFORM] [PEN]\r\n"
    "{b}Mandatory{b}\r\n"
    "\t\t{l}AT{l}: a figure made with the DX option of {l}FIGURE{l} or with {l}DX{l}\r\n"
    "\t\t{l}P3{l}: the box's size along x, y and z\r\n"
    "{b}Optional{b}\r\n"
    "\t\t{l}3DTRANSFORM{l}: its last three numbers turn the box about x, y and z (radians)\r\n"
    "\t\t{l}PEN{l}\r\n"
    "{b}Example{b}: \r\n"
    "\t {t}FIGURE 1 500 500 0xFFFFFF DX\r\nMESHB at(1,0,1) p3(2,2,2) "
    "3dtransform(0,0,0,1,1,1,0,0,0,0.4,0.6,0)\r\n{t}";

constexpr std::string_view helpFunction =
    "{b}{c 0xFF0000}FUNCTION: Plots y = f(x) in a 2D axis system.{c 0}{b}\r\n"
    "\tFUNCTION AT(fid,lid,axid) N(\"expression\") P2(from,to) P1(spacing) [P1(projection)] "
    "[P1(transform)] [PEN] [BRUSH] [TRANSFORM] [SPLIT|SPLITR|SPLITTR]\r\n"
    "{b}Mandatory{b}\r\n"
    "\t\t{l}AT{l}: the figure, layer and axis; a function needs an axis, see {l}AXIS{l}\r\n"
    "\t\t{l}P2{l}: the range of x, from and to\r\n"
    "\t\t{l}P1{l}: the first P1 is the spacing of x, the distance between samples\r\n"
    "\t\t{l}NAME{l}: the expression in x, in double quotes. Operators + - * / ^ work strictly from "
    "left to right, parentheses group; functions sin cos tan asin acos atan sinh cosh tanh log "
    "log10 exp sqrt; constants pi and e.\r\n"
    "{b}Optional{b}\r\n"
    "\t\t{l}P1{l}: the second P1 is the projection: 0 y=f(x) (default), 1 x=f(y)\r\n"
    "\t\t{l}P1{l}: the third P1 is the transform: 0 none (default), 1 FFT (magnitude spectrum)\r\n"
    "\t\t{l}PEN{l}, {l}BRUSH{l}: the line and its paint\r\n"
    "\t\t{l}TRANSFORM{l}: a 2D transform\r\n"
    "\t\t{l}SPLIT{l}, SPLITR, SPLITTR: spread the drawing over frames in SWF movies\r\n"
    "{b}Examples{b}: \r\n"
    "\t {t}FIGURE 1 500 500\r\nAXIS at(1) pen(2) brush(solid,0) p4(-0.1,9,1,1) p4(-1.2,1.2,0.5,2)"
    "\r\nFUNCTION at(1,0,1) n(\"sin(4*pi*x)\") p2(-0.1,9) p1(0.005) pen(2)\r\n{t}"
    "\t {t}FUNCTION at(1,0,1) n(\"0.2*sin(10*pi*x)+cos(3*x)^2\") p2(-0.1,9) p1(0.01) "
    "pen(1,0xFF0000)\r\n{t}"
    "\t {t}FUNCTION at(1,0,1) n(\"sin(2*pi*x)\") p2(0,8) p1(0.0625) p1(0) p1(1) pen(2,0x0080FF)"
    "\r\n{t}";

constexpr std::string_view helpFunction3A =
    "{b}{c 0xFF0000}FUNCTION3A: Plots a function of one variable on a plane of a 3D axis system."
    "{c 0}{b}\r\n"
    "\tFUNCTION3A AT(fid,lid,axid) N(\"expression\") P2(from,to) P1(spacing) [P1(projection)] "
    "[P1(transform)] [PEN] [BRUSH] [3DTRANSFORM] [SPLIT|SPLITR|SPLITTR]\r\n"
    "{b}Mandatory{b}\r\n"
    "\t\t{l}AT{l}: the figure, layer and 3D axis\r\n"
    "\t\t{l}P2{l}: the range of the parameter, from and to\r\n"
    "\t\t{l}P1{l}: the first P1 is the spacing of the parameter\r\n"
    "\t\t{l}NAME{l}: the expression in x, in double quotes\r\n"
    "{b}Optional{b}\r\n"
    "\t\t{l}P1{l}: the second P1 is the projection: 0 y=f(x) (default), 1 x=f(y), 2 z=f(x), "
    "3 x=f(z), 4 z=f(y), 5 y=f(z)\r\n"
    "\t\t{l}P1{l}: the third P1 is the transform: 0 none (default), 1 FFT\r\n"
    "\t\t{l}PEN{l}, {l}BRUSH{l}, {l}3DTRANSFORM{l}\r\n"
    "{b}Example{b}: \r\n"
    "\t {t}FUNCTION3A at(1,0,1) n(\"0.2*sin(10*pi*x)\") p2(-1,1) p1(0.01) p1(2) pen(2,0xFF0000)"
    "\r\n{t}";

constexpr std::string_view helpFunction3D =
    "{b}{c 0xFF0000}FUNCTION3D: Plots a surface z = f(x,y) in a 3D axis system.{c 0}{b}\r\n"
    "\tFUNCTION3D AT(fid,lid,axid) N(\"expression\") P2(xfrom,xto) P2(yfrom,yto) P1(xspacing) "
    "P1(yspacing) P1(projection) P1(drawing) P1(pointsize) [PEN] [BRUSH] [BRUSH] "
    "[3DTRANSFORM]\r\n"
    "{b}Mandatory{b}\r\n"
    "\t\t{l}AT{l}: the figure, layer and 3D axis\r\n"
    "\t\t{l}P2{l}: the first P2 is the range of x, the second the range of y\r\n"
    "\t\t{l}P1{l}: the first and second P1 are the spacings of x and of y\r\n"
    "\t\t{l}NAME{l}: the expression in x and y, in double quotes\r\n"
    "\t\t{l}P1{l}: the third P1 is the projection: 0 z=f(x,y), 1 z=f(y,x), 2 y=f(x,z), "
    "3 y=f(z,x), 4 x=f(y,z), 5 x=f(z,y)\r\n"
    "\t\t{l}P1{l}: the fourth P1 is the drawing: 0 lines, 1 points, 2 lines and points\r\n"
    "\t\t{l}P1{l}: the fifth P1 is the point size when points are drawn\r\n"
    "{b}Optional{b}\r\n"
    "\t\t{l}PEN{l}: the grid lines\r\n"
    "\t\t{l}BRUSH{l}: the first BRUSH paints lines and points, the second fills the surface\r\n"
    "\t\t{l}3DTRANSFORM{l}\r\n"
    "{b}Example{b}: \r\n"
    "\t {t}FIGURE 1 500 500\r\nAXIS at(1) pen(1) p4(-0.5,0.5,0.1,0) p4(-0.5,0.5,0.1,0) "
    "p4(-0.5,0.5,0.1,0) 3dtransform(0,0,0,1,1,1,0,0,-2.5,0.6,0.5,0)\r\nFUNCTION3D at(1,0,1) "
    "n(\"x*(y^2)\") p2(-0.5,0.5) p2(-0.5,0.5) p1(0.05) p1(0.05) p1(0) p1(0) p1(3) pen(1)\r\n{t}";

constexpr std::string_view helpAt =
    "{b}{c 0xFF0000}AT (Subobject) : Specifies the figure, the layer, the axis and the frame in "
    "which the object refers.{c 0}{b}\r\n\t\tAT(fid,[lid],[axid],[frameid])\r\n\t\t\tfid : Figure "
    "ID\r\n\t\t\tlid : Layer ID, if any. If not specified, 0 is assumed.\r\n\t\t\taxid: Axis ID, "
    "if any. If not specified, 0 is assumed. If you specify an axis which belongs to a layer, you "
    "must specify that layer as well.\r\n\t\t\tfrid: Frame ID, if any. If not specified, 0 is "
    "assumed. Use to draw the object into a specific frame to save in a SWF file.\r\n";

} // namespace

const std::array<HelpTopic, 12> helpTopics = {{
    {"HELP", helpOverview},
    {"FIGURE", helpFigure},
    {"LAYER", helpLayer},
    {"FRAME", helpFrame},
    {"AXIS", helpAxis},
    {"IMAGE", helpImage},
    {"MESHF", helpMeshF},
    {"MESHB", helpMeshB},
    {"FUNCTION", helpFunction},
    {"FUNCTION3A", helpFunction3A},
    {"FUNCTION3D", helpFunction3D},
    {"AT", helpAt},
}};

const std::string_view startupBanner = "{b}Kelvo Plot 2.0, by the Kelvo Plot developers{b}\r\n"
                                       "Type {l}HELP{l} for help, or press F1.\r\n";

std::optional<std::string_view> findHelpText(std::string_view keyword)
{
    for (const HelpTopic& topic : helpTopics)
        if (model::equalsIgnoringCase(topic.keyword, keyword)) return topic.text;
    return std::nullopt;
}

} // namespace lang
