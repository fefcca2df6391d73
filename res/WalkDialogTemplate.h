/* Resource ids and the layout of the control dialog, template 102, in dialog
   units. The resource script (Trotix.rc) and the Windows shell and its tests
   include this one file, so it holds preprocessor definitions only: the
   resource compiler reads nothing else. */
#ifndef TROTIX_RES_WALKDIALOGTEMPLATE_H_
#define TROTIX_RES_WALKDIALOGTEMPLATE_H_

#define TROTIX_DIALOG_TEMPLATE 102
#define TROTIX_ICON 128

#define TROTIX_HORIZONTAL_SLIDER 1000
#define TROTIX_VERTICAL_SLIDER 1001

/* x, y, width, height */
#define TROTIX_DIALOG_RECT 0, 0, 543, 359
#define TROTIX_OK_RECT 486, 137, 50, 14
#define TROTIX_CANCEL_RECT 486, 153, 50, 14
#define TROTIX_HORIZONTAL_SLIDER_RECT 143, 309, 173, 20
#define TROTIX_VERTICAL_SLIDER_RECT 378, 213, 39, 131

#endif /* TROTIX_RES_WALKDIALOGTEMPLATE_H_ */
