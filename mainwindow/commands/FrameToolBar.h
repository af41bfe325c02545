#pragma once
// The frame's tool bar: twelve places (Back, Forward and View with drop-down arrows), pictures of strip
// 146 at 22 pixels, and texts under the pictures while "TextButtonEnabled" is not 0. The frame holds it
// as its own tool bar, above the client area, where the address band stands first in the client's
// sizer.

class wxFrame;
class wxToolBar;

// Makes the frame's tool bar with its buttons; shown as "ToolbarEnabled" (default 1) says.
wxToolBar* SetUpToolBar(wxFrame& frame);
// Shows or hides the button texts by "TextButtonEnabled" and sizes the buttons again.
void SizeToolBarButtons(wxToolBar& toolBar);
