#include "editor/mnemonics.h"

namespace {

int LetterIndex(char c)
{
    if (c >= 'a' && c <= 'z')
        return c - 'a';
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    return -1;
}

bool IsFree(const MnemonicLetters &letters, char c)
{
    int index = LetterIndex(c);
    return index >= 0 && !letters.used[index];
}

// The position in the label of the letter to mark, or -1.
int ChooseLetter(const std::string &label, const MnemonicLetters &letters)
{
    for (size_t i = 0; i < label.size(); ++i)
        if ((i == 0 || label[i - 1] == ' ') && IsFree(letters, label[i]))
            return int(i);
    for (size_t i = 0; i < label.size(); ++i)
        if (IsFree(letters, label[i]))
            return int(i);
    return -1;
}

}  // namespace

char MnemonicOf(const char *caption)
{
    for (const char *c = caption; c && *c; ++c) {
        if (*c != '&')
            continue;
        if (c[1] == '&') {
            ++c;
            continue;
        }
        int index = LetterIndex(c[1]);
        return index >= 0 ? char('A' + index) : '\0';
    }
    return '\0';
}

void UseMnemonic(MnemonicLetters *letters, const char *caption)
{
    char letter = MnemonicOf(caption);
    if (letter)
        letters->used[letter - 'A'] = true;
}

std::string CaptionWithMnemonic(const char *label, MnemonicLetters *letters)
{
    const std::string text = label ? label : "";
    const int chosen = ChooseLetter(text, *letters);
    std::string caption;
    for (size_t i = 0; i < text.size(); ++i) {
        if (int(i) == chosen) {
            caption += '&';
            letters->used[LetterIndex(text[i])] = true;
        }
        caption += text[i];
        if (text[i] == '&')
            caption += '&';
    }
    return caption;
}
