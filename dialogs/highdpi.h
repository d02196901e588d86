#ifndef DIALOGS_HIGHDPI_H
#define DIALOGS_HIGHDPI_H

// Both programs' windows follow the display's scale (125 %, 150 %, 200 %) as a whole: Qt scales
// icons, arrows, check boxes and scroll bars with the text, by the screen's exact factor, on
// Windows and Linux alike. Called before the application object is made.
void enableHighDpiScaling();

#endif
