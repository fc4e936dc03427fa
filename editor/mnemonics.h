// Keyboard letters of captions: the letter after a single "&", which Alt
// with that letter reaches, and the letters given to the labels of the
// element page, which come from the host without one.
#ifndef EDITOR_MNEMONICS_H
#define EDITOR_MNEMONICS_H

#include <string>

// The letters in use, A to Z.
struct MnemonicLetters {
    bool used[26] = {};
};

// The caption's letter in upper case ("Remo&ve" gives 'V'), or 0 when it has
// none ("&&" is an ampersand shown, not a letter).
char MnemonicOf(const char *caption);

// Marks the caption's letter as used.
void UseMnemonic(MnemonicLetters *letters, const char *caption);

// The label as a caption: its ampersands shown as such, and a letter not yet
// used marked, which is then used: the first letter of a word if one is
// free, else any free letter of the label, else none.
std::string CaptionWithMnemonic(const char *label, MnemonicLetters *letters);

#endif
