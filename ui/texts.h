// Every text the program shows or compares. They are GBK bytes at run time: texts.cpp
// holds them as readable UTF-8 literals and the build turns its narrow literals into
// GBK. Each view ends at the text's terminating NUL, which stays in place behind it.
#pragma once

#include <string>
#include <string_view>

namespace ui::texts {

// The window and its captions.
extern const std::string_view WindowTitle;
extern const std::string_view Introduction;
extern const std::string_view Question;
extern const std::string_view AnswerCaption;
extern const std::string_view AccountCaption;
extern const std::string_view PasswordCaption;
extern const std::string_view LinkCaption;
extern const std::string_view ButtonCaption;
extern const std::string_view AppealPictureDescription;

// The answer check.
extern const std::string_view AcceptedAnswer;
extern const std::string_view CredentialsMessage;
extern const std::string_view EmptyText;
extern const std::string_view ReminderMessage;

// Message boxes and start-up failures.
extern const std::string_view MessageCaption;
extern const std::string_view StartupFailureHeading;
extern const std::string_view NoToolkit;
extern const std::string_view NoScreen;
extern const std::string_view WindowNotMade;
extern const std::string_view ControlNotMade;
extern const std::string_view NegativeSize;
extern const std::string_view DuplicateName;
extern const std::string_view UnknownControl;
extern const std::string_view EventNotRaised;
extern const std::string_view MissingHandler;

// Texts put together from the ones above and the names of controls.
std::string NamedFault(std::string_view reason, std::string_view subject);
std::string FaultWithDetail(std::string_view reason, std::string_view subject, std::string_view detail);
std::string ErrorBoxText(std::string_view what);

}  // namespace ui::texts
