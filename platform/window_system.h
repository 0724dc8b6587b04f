// What the program asks of the windowing system: the toolkit's life, the top-level
// window, the native and self-painted controls, drawing, the pointer, message boxes
// and the event loop. ui/ keeps every rule of the window and calls only these;
// platform/qt/ answers them over Qt 6. Texts cross this line as GBK bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// ---- Shared shapes -------------------------------------------------------------

struct Window;   // a top-level window, owned by the toolkit until DestroyWindow
struct Control;  // a child control, destroyed with its window

using Colour = std::uint32_t;  // 0x00BBGGRR: red in the lowest byte

struct Point {
    int x = 0;
    int y = 0;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rectangle {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool IsEmpty() const { return width <= 0 || height <= 0; }
    bool Contains(Point point) const {
        return point.x >= left && point.x < left + width && point.y >= top && point.y < top + height;
    }
    friend bool operator==(const Rectangle&, const Rectangle&) = default;
};

enum class Weight : int { Normal = 400, Bold = 700 };

// A font as the window definition states it. An empty face leaves the choice to the
// system; the character height is the em height in pixels.
struct FontDescription {
    int characterHeight = 0;
    int weight = static_cast<int>(Weight::Normal);
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::string_view faceName{};
};

// 32-bit straight-alpha pixels, rows top first, each pixel blue, green, red, alpha.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::span<const std::uint8_t> blueGreenRedAlpha;
};

// 24-bit pixels, rows top first, each pixel red, green, blue.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::span<const std::uint8_t> redGreenBlue;
};

// A failure the toolkit reports while the window is being built.
struct Failure {
    std::string what;  // GBK, names what could not be made
};

// ---- The toolkit's life ------------------------------------------------------

// Starts the toolkit; nothing else here may be called before it succeeds.
std::optional<Failure> StartToolkit(int& argumentCount, char** arguments);
// Finishes pending destructions and lets go of everything the toolkit still holds.
void StopToolkit();
// Runs events, sleeping while none waits, until QuitEventLoop; gives the quit code.
int RunEventLoop();
void QuitEventLoop(int code);

// ---- What the toolkit reports back -------------------------------------------

enum class Key { Tab, Enter, Escape, F1, Other };

struct KeyPress {
    Key key = Key::Other;
    bool shift = false;
    bool alt = false;
    bool control = false;
    char32_t character = 0;  // the character of an Alt+character press, else 0
};

enum class KeyVerdict { Consumed, PassedOn };

enum class ControlEvent { Click, ContentChanged, Relay };

struct EventArguments {
    std::int32_t first = 0;
    std::int32_t second = 0;
};

// The top-level window's side of the conversation. Controls are named by the index
// the program gave them when it made them.
class WindowListener {
public:
    virtual KeyVerdict FilterKey(const KeyPress& press) = 0;
    virtual void CloseRequested() = 0;
    virtual void Activated() = 0;
    virtual void Deactivated() = 0;
    virtual void Destroyed() = 0;
    virtual std::int32_t RaiseEvent(int controlIndex, ControlEvent event, EventArguments arguments) = 0;

protected:
    ~WindowListener() = default;
};

// ---- Drawing, for the self-painted controls ----------------------------------

enum class HorizontalAlignment { Left, Centre, Right };
enum class VerticalAlignment { Top, Centre, Bottom };
enum class Wrapping { OneLine, WrapToWidth };

struct TextLayout {
    HorizontalAlignment horizontal = HorizontalAlignment::Left;
    VerticalAlignment vertical = VerticalAlignment::Top;
    Wrapping wrapping = Wrapping::OneLine;
};

// Paints inside one control; coordinates count from the control's top-left corner and
// everything is clipped to the control.
class Canvas {
public:
    virtual Size AreaSize() const = 0;
    virtual void FillRectangle(const Rectangle& area, Colour colour) = 0;
    // GBK text on a transparent background; no font means the default GUI font.
    virtual void DrawText(std::string_view text, const Rectangle& area, const TextLayout& layout,
                          const std::optional<FontDescription>& font, Colour colour) = 0;
    virtual void DrawPicture(const RgbImage& picture, Point topLeft) = 0;

protected:
    ~Canvas() = default;
};

enum class PointerShape { Arrow, PointingHand };

enum class AccessibleRole { Label, Link, Picture };

// A self-painted control's side of the conversation: the toolkit asks it to paint and
// tells it about the mouse.
class SelfPaintedControl {
public:
    virtual ~SelfPaintedControl() = default;
    virtual void Paint(Canvas& canvas, const Rectangle& updateArea) = 0;
    virtual void PointerMoved(Control* self, Point position) = 0;
    virtual void LeftButtonPressed(Control* self, Point position) = 0;
    virtual PointerShape Pointer() const = 0;
    virtual AccessibleRole Role() const = 0;
    virtual std::string AccessibleText() const = 0;  // GBK

};

// ---- Windows and controls ------------------------------------------------------

enum class Frame { Sizing, Fixed };
enum class ClientEdge { Sunken, Flat };
enum class TitleBarButtons { CloseOnly, MinimiseMaximiseClose };

// The window's background is always the dialog face colour.
struct TopLevelSettings {
    std::string_view title{};  // GBK
    Frame frame = Frame::Sizing;
    ClientEdge clientEdge = ClientEdge::Sunken;
    TitleBarButtons buttons = TitleBarButtons::CloseOnly;
};

struct ControlPlacement {
    int index = 0;  // how the window's listener will hear of this control
    std::string_view name{};
    Rectangle rectangle{};  // inside the window's sunken edge
    bool disabled = false;
    bool focusable = false;
};

// The whole primary screen, or nothing when the toolkit has no screen.
std::optional<Size> PrimaryScreenSize();
Colour DialogFaceColour();
Window* MakeTopLevelWindow(const TopLevelSettings& settings, WindowListener& listener);
// Puts the outer frame, decorations included, at topLeft with the given outer size.
void PlaceFrame(Window* window, Point topLeft, Size outer);
void SetWindowIcons(Window* window, const PixelImage& large, const PixelImage& small);
void SetApplicationIcon(const PixelImage& icon);
void ShowAndActivate(Window* window);
// Destroys the window with its controls once the current event is handled; the
// window's listener then hears Destroyed.
void DestroyWindow(Window* window);

enum class MakeProblem { None, NegativeSize };

// Each maker gives the new control hidden, or no control and the reason.
struct MadeControl {
    Control* control = nullptr;
    MakeProblem problem = MakeProblem::None;
};
MadeControl MakeEntryField(Window* window, const ControlPlacement& placement);
MadeControl MakePushButton(Window* window, const ControlPlacement& placement, std::string_view caption);
MadeControl MakeSelfPaintedArea(Window* window, const ControlPlacement& placement,
                                SelfPaintedControl& behaviour);
// Stacks the controls so that the first is on top and each next one directly below.
void StackTopFirst(std::span<Control* const> controls);
void ShowWithoutActivating(Control* control);
enum class FocusCause { Keyboard, Other };
void GiveFocus(Control* control, FocusCause cause);
// The control holding the keyboard focus in the window, or null.
Control* FocusedControl(Window* window);
void Repaint(Control* control);
Size ControlSize(Control* control);

// ---- The pointer ---------------------------------------------------------------

// Two-colour pointer pixels, rows top first, one byte (0 or 1) a pixel: where the AND
// mask is 1 the screen shows through; the XOR bits make opaque pixels white.
struct PointerImage {
    int width = 0;
    int height = 0;
    Point hotSpot;
    std::span<const std::uint8_t> andMask{};
    std::span<const std::uint8_t> xorBits{};
};

// What the pointing-hand pointer looks like from now on.
void SetPointingHandImage(const PointerImage& image);

void HoldPointer(Control* control);
void LetGoOfPointer(Control* control);
bool HoldsPointer(Control* control);

// ---- Texts of controls -------------------------------------------------------

// The entry field's content as GBK, never cut at an embedded NUL.
std::string ReadEntryFieldText(Control* control);

// ---- Message boxes ---------------------------------------------------------------

// A modal box with an OK button alone and no icon, owned by no window; no window of
// the program takes input until it is dismissed.
void ShowMessageBox(std::string_view text, std::string_view caption);

}  // namespace platform
