// TJvComponent: the plain base of the non-visual Jv components.
#pragma once

#include "ui/Classes.h"

// A component with no behaviour of its own.
class TJvComponent : public TComponent {
  QUORVEL_CLASS(TJvComponent, TComponent)
public:
  explicit TJvComponent(TComponent* owner);
};
