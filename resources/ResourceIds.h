/* Bitmap resource identifiers of the panel artwork, shared by PanelLayout.h and Resources.rc.
   Plain preprocessor definitions so windres can read them too; sizes and frames are in PanelLayout.h. */
#ifndef QUENVALE_RESOURCE_IDS_H
#define QUENVALE_RESOURCE_IDS_H

#define IDB_BACKGROUND 1
#define IDB_METER_LIT 100   /* every segment lit */
#define IDB_METER_UNLIT 101 /* every segment dark */
#define IDB_KNOB 129        /* attack, threshold and gain knobs */
#define IDB_INPUT_LAMP 130  /* left and right input lamps, dark to fully lit */
#define IDB_GAIN_REDUCTION_NEEDLE 131  /* at rest (no reduction) to full travel */
#define IDB_TIME_CONSTANT_SELECTOR 133 /* positions 1 to 6 */

#endif
