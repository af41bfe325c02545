#pragma once
// Edit > Paste: the elements on the clipboard go into an element as they would if dropped there - cut
// ones are moved (DropMove), copied ones copied (DropCopy). Records travel as item entries; folders,
// stored queries and item lists as the paths of their elements.

class CTreeNode;

enum class PasteCheck
{
    kNothing,    // the clipboard holds no elements of the program
    kOntoItself, // the target is one of the elements on the clipboard or lies below one
    kRefused,    // the target does not take them
    kMove,
    kCopy,
};

// What pasting into the target would do. Copied elements win over cut ones, as on a drop.
PasteCheck CheckPaste(CTreeNode& target);
bool CanPasteInto(CTreeNode& target);

// Empties the clipboard, so that it holds only what is cut or copied next.
void EmptyItemClipboard();

// Pastes into the target; after a move the clipboard is emptied, since the elements were moved once.
// An element pasted onto itself or below itself is refused with a message. True when something was
// pasted.
bool PasteInto(CTreeNode& target);
