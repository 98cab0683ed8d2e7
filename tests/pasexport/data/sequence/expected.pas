begin
  x := 1;
  y := x + 2;
  writeln(y)
end;
