begin
  x := 0;
  y := 0;
  while x < 10 do
  begin
    if (x mod 2) = 0
    then
    begin
      y := y + x
    end
    else
    begin
      repeat
        z := z + 1
      until not(z < x);
    end;
    x := x + 1
  end;
  if y > 20
  then
  begin
    while y > 20 do
    begin
      y := y - 3
    end;
    writeln(y)
  end;
  writeln(x, ' ', y, ' ', z)
end;
