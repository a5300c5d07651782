#pragma once

// One area of a cell as fractions of the cell: x and width of its width, y and height
// of its height, from the cell's top-left corner. Nothing clamps them to 0..1.
struct CardRect {
  float x = 0.0f;
  float y = 0.0f;
  float width = 0.0f;
  float height = 0.0f;

  friend bool operator==(const CardRect&, const CardRect&) = default;
};

// The photo area and the text area of every cell on a page.
struct CardLayout {
  CardRect photoArea;
  CardRect textArea;

  friend bool operator==(const CardLayout&, const CardLayout&) = default;
};
