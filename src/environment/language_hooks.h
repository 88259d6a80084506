#pragma once
// What a language change asks of objects outside the run-time environment. They register
// with CGlobal; an unregistered hook is skipped.

// The network printer object: re-reads its message texts after every language selection.
class LanguageTextsReader {
public:
    virtual ~LanguageTextsReader() = default;
    virtual void ReloadLanguageTexts() = 0;
};

// The wizard: the language change window (CHANGE_LANG_WIN progress page, item texts, pages
// rebuilt, first page shown again). Called only when the user changed the language in a
// running wizard and the language really changed.
class LanguageChangeWindow {
public:
    virtual ~LanguageChangeWindow() = default;
    virtual void ShowLanguageChange() = 0;
};
