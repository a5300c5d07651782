#pragma once

// The numbers the page preview reads from the boxes, each truncated to a whole number:
// paper, margins and distances in mm, spacings turned from 0.1 mm into whole mm.
struct PagePreviewInputs {
  int paperWidth = 0;
  int paperHeight = 0;
  int rows = 0;
  int columns = 0;
  int rowSpacing = 0;
  int columnSpacing = 0;
  int marginTop = 0;
  int marginBottom = 0;
  int marginLeft = 0;
  int marginRight = 0;
  int headerFromTop = 0;
  int footerFromBottom = 0;
  int photoFit = 0;   // index selected in 组合框_照片打印方式
  int landscape = 0;  // 1 when 单选框_横向打印 is checked
};
