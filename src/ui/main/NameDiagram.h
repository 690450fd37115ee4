#pragma once

#include <QWidget>

namespace namori {

// The brackets of the name diagram, over the whole result frame: the lines that join the
// characters of the surname, those of the given name, and the two parts, drawn for the shape of
// the name shown (each part one to three characters; none for a part of another length).
class NameDiagram : public QWidget {
  public:
    explicit NameDiagram(QWidget* resultFrame);

    void ShowShape(int surnameLength, int givenNameLength);
    int surnameLength() const { return surnameLength_; }
    int givenNameLength() const { return givenNameLength_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int surnameLength_ = 0;
    int givenNameLength_ = 0;
};

}  // namespace namori
