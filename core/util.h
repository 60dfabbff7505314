// Small routines used everywhere: fixed-width text and numbers, trimming,
// the text transforms the data files rely on, delays and message boxes.
// All text is single-byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/state.h"

namespace tw {

void NoOp();
// A new empty file with a unique name in dir; false when it cannot be made.
bool MakeTempFileName(const std::string& dir, const std::string& prefix, std::string& name);
bool DeleteFileByName(const std::string& name);  // the real result

std::string ReplaceAt(const std::string& text, int position, int length, const std::string& with);
std::string RightStr(const std::string& text, int n);
std::string RepeatChar(char c, int n);
std::string Spaces(int n);
std::string ReplaceChars(char c, const std::string& with, const std::string& text);
std::string PadRight(const std::string& text, int width);
std::string FloatToStrPad(int width, int decimals, double value);
std::string IntToStrPad(int64_t value, int width);
std::string TrimRightSpaces(const std::string& text);
std::string TrimLeftSpaces(const std::string& text);
// Removes blanks and control characters at both ends.
std::string Trim(const std::string& text);

// Waits on ctx.Clock's tick counter (at once without a clock), sleeping
// between its readings; DelayWithMessages lets pending messages through on
// every pass and while it sleeps.
void Delay(GameContext& ctx, int ms);
void Delay2(GameContext& ctx, int ms);
void DelayWithMessages(GameContext& ctx, int ms);

std::string ShiftText(const std::string& text);
std::string AddKeyChars(const std::string& text, const std::string& key);
std::string SubKeyChars(const std::string& text, const std::string& key);
int StringCheckValue(const std::string& text);

void ShowMsg(GameContext& ctx, const std::string& text);
void ShowMsgInt(GameContext& ctx, int value);
void Beep(GameContext& ctx, int type);

// Clears dest and adds, for every source line that begins with header, the
// following lines up to the next line that begins with "[".
void GetSectionLines(StringList& dest, const StringList& source, const std::string& header);

int IntPower(int base, int exponent);
// Always true colour here; callers compare with 256.
int GetColorCount();
// There is no Windows directory: always "".
std::string GetWindowsDir();
bool IsAllDigits(const std::string& text);
int Max(int a, int b);
std::string PickChars(const std::string& text, int mode);
// "h:mm:ss" with the hours zero-padded to at least hourDigits digits.
std::string FormatSeconds(int64_t seconds, int hourDigits);

// Integer of a decimal text as the data files write it (blanks around it
// allowed); false when it is not one.
bool ParseInt(const std::string& text, int64_t& value);
// Case-insensitive comparison of single-byte text.
bool SameText(const std::string& a, const std::string& b);

// Clamps value into lo..hi.
long long ClampTo(long long value, long long lo, long long hi);
// value as width digits, clamped to what the field can hold (a leading "-"
// takes one column), so a field never turns into "*" characters.
std::string SaturatedField(long long value, int width);
// Number of a fixed field; def when it is blank or not a number.
long long FieldNumber(const std::string& text, long long def);

}  // namespace tw
