#pragma once
// The control set's bars in the gallery: below the form's controls a toolbar with the theme
// menu "Тема оформления", buttons with images and hints, a label, a combo-box and an edit item,
// and under it a status bar. What the user does is told through TGalleryForm::Report.

namespace gallery {

class TGalleryForm;

// Adds the bars at the form's bottom edge; the form grows by their height, so the controls
// above keep their places.
void AddControlSetBars(TGalleryForm* Form);

}  // namespace gallery
