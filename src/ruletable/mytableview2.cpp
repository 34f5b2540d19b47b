#include "mytableview2.h"

MyTableView2::MyTableView2(QWidget *parent) : QTableView(parent) {}
