#pragma once

#include "help/fixed_window.h"

struct AppContext;
class LinkLabel;

// The copyright window: the maker's copyright notice as a picture and a link to the maker's web site.
class CopyrightWindow : public FixedWindow
{
    Q_OBJECT

public:
    CopyrightWindow(const AppContext& context, QWidget* owner);

private:
    const AppContext& m_context;
    LinkLabel* m_link;
};
