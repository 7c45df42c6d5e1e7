/* Pictures that the toolkit's tests load from the test program's own resources. */
#ifndef QUENVALE_TEST_BITMAPS_H
#define QUENVALE_TEST_BITMAPS_H

/* 6 x 2, 24-bit: white key pixels among (255, 255, 0), near-white and other colours. */
#define IDB_TEST_KEYED 500

#endif
