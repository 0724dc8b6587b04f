// The main window as a table. Controls are listed in definition order: the first is
// stacked on top and made last. Rectangles count from inside the sunken edge. The
// names are compiled to GBK like every other text of the program.
#include "ui/main_window.h"

#include "resources/embedded.h"
#include "ui/texts.h"

namespace ui {
namespace {

using platform::HorizontalAlignment;
using platform::VerticalAlignment;
using platform::Wrapping;

constexpr Colour Black = 0x00000000;
constexpr Colour Blue = 0x00FF0000;
constexpr Colour Red = 0x000000FF;
constexpr Colour DarkRed = 0x00000080;
constexpr Colour LighterBlue = 0x00D38A41;

constexpr FontDescription Normal16{.characterHeight = 16};
constexpr FontDescription Normal14{.characterHeight = 14};

constexpr std::string_view WebPage = "https://www.yuvovip.example/wb008.htm?from=10086&gid=3";

}  // namespace

const std::string_view AnswerBox = "编辑框1";
const std::string_view CheckButton = "按钮1";

const WindowDefinition& MainWindow() {
    static const ControlDefinition controls[] = {
        // name, rectangle {left, top, width, height}, focusable, kind settings
        {.name = "图片框1", .rectangle = {267, 87, 227, 219},
         .settings = PicBoxSettings{.picture = resources::AppealPicture()}},
        {.name = "编辑框3", .rectangle = {86, 216, 171, 26}, .focusable = true,
         .settings = EditBoxSettings{}},
        {.name = "编辑框2", .rectangle = {86, 175, 172, 26}, .focusable = true,
         .settings = EditBoxSettings{}},
        {.name = "超级链接框1", .rectangle = {52, 278, 84, 25},
         .settings = LinkSettings{.caption = texts::LinkCaption, .opens = LinkTarget::WebAddress,
                                  .webAddress = WebPage,
                                  .linkColour = Blue, .visitedColour = DarkRed,
                                  .hoverColour = LighterBlue, .font = Normal14}},
        {.name = "标签6", .rectangle = {8, 216, 65, 24},
         .settings = LabelSettings{.caption = texts::PasswordCaption, .textColour = Black}},
        {.name = "标签5", .rectangle = {8, 176, 64, 24},
         .settings = LabelSettings{.caption = texts::AccountCaption, .textColour = Black}},
        {.name = "标签3", .rectangle = {8, 80, 256, 40},
         .settings = LabelSettings{.caption = texts::Question, .font = Normal14, .textColour = Red}},
        {.name = "标签2", .rectangle = {16, 8, 454, 88},
         .settings = LabelSettings{.caption = texts::Introduction, .wrapping = Wrapping::WrapToWidth,
                                   .font = Normal16, .textColour = Blue}},
        {.name = CheckButton, .rectangle = {156, 272, 104, 32}, .focusable = true,
         .settings = ButtonSettings{.caption = texts::ButtonCaption}},
        {.name = "标签1", .rectangle = {8, 128, 64, 32},
         .settings = LabelSettings{.caption = texts::AnswerCaption, .textColour = Black}},
        {.name = AnswerBox, .rectangle = {85, 133, 175, 26}, .focusable = true,
         .settings = EditBoxSettings{}},
    };
    static const Binding bindings[] = {
        // control, event, handler
        {.control = CheckButton, .event = ControlEvent::Click, .handler = HandlerId::AnswerCheck},
        {.control = AnswerBox, .event = ControlEvent::ContentChanged, .handler = HandlerId::AnswerChanged},
        {.control = "标签1", .event = ControlEvent::Relay, .handler = HandlerId::Relay},
        {.control = "标签5", .event = ControlEvent::Relay, .handler = HandlerId::Relay},
    };
    static const WindowDefinition window{
        .window = {.title = texts::WindowTitle,
                   .outerSize = {509, 348},
                   .storedPlace = {50, 50},
                   .startPosition = StartPosition::CentredOnScreen,
                   .frame = platform::Frame::Sizing,
                   .clientEdge = platform::ClientEdge::Sunken,
                   .titleBarButtons = platform::TitleBarButtons::CloseOnly,
                   .iconFile = resources::ApplicationIcon(),
                   .escCloses = true,
                   .enterMovesFocus = false,
                   .f1OpensHelp = false},
        .controls = controls,
        .bindings = bindings,
    };
    return window;
}

}  // namespace ui
