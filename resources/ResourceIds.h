/* Bitmap resource identifiers of the panel artwork, shared by the editor and Resources.rc.
   Plain preprocessor definitions so windres can read them too. Film strips stack their frames
   top to bottom; frame k occupies rows k * frame height to (k + 1) * frame height - 1. */
#ifndef QUENVALE_RESOURCE_IDS_H
#define QUENVALE_RESOURCE_IDS_H

#define IDB_BACKGROUND 1 /* 660 x 259 panel */

#define IDB_METER_LIT 100   /* 4 x 44 output meter, every segment lit */
#define IDB_METER_UNLIT 101 /* 4 x 44 output meter, every segment dark */

#define IDB_KNOB 129 /* attack, threshold and gain knobs */
#define IDB_KNOB_FRAMES 101
#define IDB_KNOB_FRAME_WIDTH 66
#define IDB_KNOB_FRAME_HEIGHT 66

#define IDB_INPUT_LAMP 130 /* left and right input lamps, dark to fully lit */
#define IDB_INPUT_LAMP_FRAMES 6
#define IDB_INPUT_LAMP_FRAME_WIDTH 38
#define IDB_INPUT_LAMP_FRAME_HEIGHT 58

#define IDB_GAIN_REDUCTION_NEEDLE 131 /* at rest (no reduction) to full travel */
#define IDB_GAIN_REDUCTION_NEEDLE_FRAMES 74
#define IDB_GAIN_REDUCTION_NEEDLE_FRAME_WIDTH 76
#define IDB_GAIN_REDUCTION_NEEDLE_FRAME_HEIGHT 67

#define IDB_TIME_CONSTANT_SELECTOR 133 /* positions 1 to 6 */
#define IDB_TIME_CONSTANT_SELECTOR_FRAMES 6
#define IDB_TIME_CONSTANT_SELECTOR_FRAME_WIDTH 72
#define IDB_TIME_CONSTANT_SELECTOR_FRAME_HEIGHT 72

#endif
