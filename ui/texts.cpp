// The program's texts, written here in UTF-8 and compiled to GBK bytes (the build
// gives this file the GBK execution character set). Colons, commas, brackets and
// exclamation marks are the full-width forms; spaces are ASCII spaces.
#include "ui/texts.h"

namespace ui::texts {

const std::string_view WindowTitle = "YUVOvip账号获取器 v_1.2";
const std::string_view Introduction =
    "    亲，只要完成下面的填空即可获取YUVOvip会员账号和密码哦！答案可在【点我找答案】中找到，"
    "您只要花6秒钟注册即可在 注册完成页面 找到答案，获取YUVOvip会员账号！";
const std::string_view Question = "题目：“快去玩（    ）的游戏吧！”";
const std::string_view AnswerCaption = "  输入答案";
const std::string_view AccountCaption = "YUVOvip账号";
const std::string_view PasswordCaption = "       密码";
const std::string_view LinkCaption = "点我找答案";
const std::string_view ButtonCaption = "获取YUVOvip账号";
const std::string_view AppealPictureDescription = "注册支持我们的呼吁";

const std::string_view AcceptedAnswer = "gnx";
const std::string_view CredentialsMessage = "账号：12300004567    密码：5172qk46w";
const std::string_view EmptyText = "";
const std::string_view ReminderMessage = "亲，你还没注册哦，注册好就能使用YUVOvip账号了哦！！";

const std::string_view MessageCaption = "信息：";
const std::string_view StartupFailureHeading = "YUVOvip账号获取器无法启动：";
const std::string_view NoToolkit = "无法初始化窗口系统";
const std::string_view NoScreen = "找不到屏幕";
const std::string_view WindowNotMade = "无法创建主窗口";
const std::string_view ControlNotMade = "无法创建控件";
const std::string_view NegativeSize = "尺寸为负";
const std::string_view DuplicateName = "窗口定义中控件名称重复";
const std::string_view UnknownControl = "绑定指向不存在的控件";
const std::string_view EventNotRaised = "绑定的事件不属于该控件的类型";
const std::string_view MissingHandler = "绑定的处理程序不存在";

std::string NamedFault(std::string_view reason, std::string_view subject) {
    return std::string(reason).append("：").append(subject);
}

std::string FaultWithDetail(std::string_view reason, std::string_view subject, std::string_view detail) {
    return NamedFault(reason, subject).append("（").append(detail).append("）");
}

std::string ErrorBoxText(std::string_view what) {
    return std::string(StartupFailureHeading).append("\n").append(what);
}

}  // namespace ui::texts
