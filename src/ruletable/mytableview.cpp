#include "mytableview.h"

MyTableView::MyTableView(QWidget *parent) : QTableView(parent) {}
